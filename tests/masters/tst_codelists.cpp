// The read-only code lists, and the switchboard commands that open the master and setup
// windows, with their function keys and help pages.

#include "masterstesting.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include "masters/codelistwindow.h"
#include "shell/switchboardwindow.h"

#include <QLineEdit>
#include <QTableView>
#include <QtTest>

class TestCodeLists : public QObject {
    Q_OBJECT
private slots:
    void listsAreReadOnly_data() {
        columns<int, QString>("list", "table");
        QTest::newRow("types") << int(CodeListWindow::List::TransactionTypes)
                               << "tblTransactionType";
        QTest::newRow("statuses") << int(CodeListWindow::List::TransactionStatuses)
                                  << "tblTransactionStatus";
    }

    void listsAreReadOnly() {
        auto [list, table] = fetch<int, QString>("list", "table");
        TestBook book;
        CodeListWindow window(book.services, CodeListWindow::List(list));
        window.show();
        auto* grid = child<QTableView>(&window, QStringLiteral("DataGrid1"));
        // Every row of the table is listed, and none can be changed.
        const int rows = book.value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
        QVERIFY(rows > 0);
        QCOMPARE(grid->model()->rowCount(), rows);
        const QModelIndex first = grid->model()->index(0, 1);
        const QString before = first.data().toString();
        grid->setCurrentIndex(first);
        QVERIFY(!grid->model()->setData(first, QStringLiteral("Changed")));
        QTest::keyClicks(grid, "xyz");
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(grid->model()->rowCount(), rows);
        QCOMPARE(first.data().toString(), before);
        QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(), rows);
    }

    void switchboardOpensWindows_data() {
        // keys: 0 none pressed, 1 F1, 2 F5 ignored and F1, 3 F5 and F1
        columns<QString, QString, int>("command", "window", "keys");
        // A few commands and menu items stand for the rest: each kind of function-key handling,
        // and each setup window.
        auto row = [](const char* command, const char* window, int keys) {
            QTest::newRow(command) << QString(command) << QString(window) << keys;
        };
        row("cmdChartOfAccounts", "frmChartOfAccounts", 3);
        row("cmdReconciliationStatuses", "frmTransactionStatus", 2);
        row("cmdVendors", "frmVendors", 1);
        row("mnuDataEntryTaxTable", "frmTaxTable", 0);
        row("mnuDataEntryCompanyDetails", "frmCompany", 0);
        row("cmdBankDetails", "frmBankDetails", 0);
        row("cmdAccountCodeSettings", "frmBankGLAccountCode", 0);
        row("mnuDataEntryAccpacAdagioSettings", "frmAccpacSettings", 0);
    }

    void switchboardOpensWindows() {
        auto [command, window, keys] = fetch<QString, QString, int>("command", "window", "keys");
        TestBook book;
        SwitchboardWindow switchboard(book.services);
        if (keys == 3)
            book.prompts.expectMatch(QStringLiteral("^F1  - Help\r\nF2  - Calculator"));
        QString opened;
        whenModal([&opened, keys](QDialog* dialog) {
            opened = dialog->objectName();
            QWidget* target = dialog->findChild<QTableView*>();
            if (!target)
                target = dialog->findChild<QLineEdit*>();
            if (keys) {
                QVERIFY(showActive(dialog));
                if (keys >= 2)
                    QTest::keyClick(target, Qt::Key_F5);
                QTest::keyClick(target, Qt::Key_F1);
            }
            dialog->close();
        });
        QVERIFY2(runCommand(&switchboard, command), qPrintable(command));
        QCOMPARE(opened, window);
        book.prompts.verifyAllShown();
        // F1 opens the window's own help page, put beside the program with the others.
        QCOMPARE(book.launcher.helpTopics, keys ? QStringList{window} : QStringList{});
        QVERIFY(QFileInfo::exists(QCoreApplication::applicationDirPath() +
                                  QStringLiteral("/help/") + window + QStringLiteral(".html")));
    }
};

QTEST_MAIN(TestCodeLists)
#include "tst_codelists.moc"
