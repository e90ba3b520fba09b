// The read-only code lists, the status chooser, and the switchboard commands that open
// the master windows.

#include "masterstesting.h"
#include "support/testbook.h"

#include "masters/codelistwindow.h"
#include "masters/lookups.h"
#include "shell/switchboardwindow.h"

#include <QPushButton>
#include <QTableView>
#include <QtTest>

class TestCodeLists : public QObject {
    Q_OBJECT
private slots:
    void listsAreReadOnly_data();
    void listsAreReadOnly();
    void statusChooser_data();
    void statusChooser();
    void switchboardOpensWindows_data();
    void switchboardOpensWindows();
    void functionKeysInMasterWindows_data();
    void functionKeysInMasterWindows();
};

void TestCodeLists::listsAreReadOnly_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("headings");
    QTest::newRow("types") << int(CodeListWindow::List::TransactionTypes)
                           << "Transaction Type - Read Only"
                           << "tblTransactionType" << QStringList{"TransType", "TransTypeDesc"};
    QTest::newRow("statuses") << int(CodeListWindow::List::TransactionStatuses)
                              << "Reconciliation Status - Read Only"
                              << "tblTransactionStatus" << QStringList{"Rec Status", "Description"};
}

void TestCodeLists::listsAreReadOnly() {
    QFETCH(int, list);
    QFETCH(QString, title);
    QFETCH(QString, table);
    QFETCH(QStringList, headings);
    TestBook book;
    CodeListWindow window(book.services, CodeListWindow::List(list));
    window.show();
    QCOMPARE(window.windowTitle(), title);
    auto* grid = child<QTableView>(&window, QStringLiteral("DataGrid1"));
    QStringList shown;
    for (int i = 0; i < grid->model()->columnCount(); ++i)
        shown << grid->model()->headerData(i, Qt::Horizontal).toString();
    QCOMPARE(shown, headings);
    // Every row of the table is listed, and none can be changed.
    const int rows = book.value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    QVERIFY(rows > 0);
    QCOMPARE(grid->model()->rowCount(), rows);
    const QModelIndex first = grid->model()->index(0, 1);
    const QString before = first.data().toString();
    grid->setCurrentIndex(first);
    QVERIFY(!(grid->model()->flags(first) & Qt::ItemIsEditable));
    QVERIFY(!grid->model()->setData(first, QStringLiteral("Changed")));
    QTest::keyClicks(grid, "xyz");
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(grid->model()->rowCount(), rows);
    QCOMPARE(first.data().toString(), before);
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(), rows);
    for (const char* command : {"cmdAdd", "cmdUpdate", "cmdDelete"})
        QVERIFY(!window.findChild<QPushButton*>(QLatin1String(command)));
}

void TestCodeLists::statusChooser_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("value");
    QTest::newRow("Reconciled") << 1 << "2";
    QTest::newRow("Enter on Reversed") << 102 << "3";
    QTest::newRow("close box") << -2 << "";
}

void TestCodeLists::statusChooser() {
    QFETCH(int, row);
    QFETCH(QString, value);
    TestBook book;
    for (int n = 1; n <= 7; ++n)
        book.lookup.value(n) = QStringLiteral("keep");
    whenModal([row](QDialog* window) {
        QCOMPARE(window->objectName(), QStringLiteral("frmTransactionStatus"));
        auto* grid = child<QTableView>(window, QStringLiteral("DataGrid1"));
        if (row < 0) {
            window->close();
        } else if (row >= 100) {
            grid->setCurrentIndex(grid->model()->index(row - 100, 0));
            QTest::keyClick(grid, Qt::Key_Return);
        } else {
            doubleClickRow(grid, row);
        }
    });
    QCOMPARE(lookupTransactionStatus(book.services, nullptr), !value.isEmpty());
    QCOMPARE(book.lookup.LookupValue1, value);
    for (int n = 2; n <= 7; ++n)
        QCOMPARE(book.lookup.value(n), QStringLiteral("keep"));
}

void TestCodeLists::switchboardOpensWindows_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    const char* const pairs[][3] = {
        {"cmdTransactionType", "mnuDataEntryTransactionType", "frmTransactionType"},
        {"cmdReconciliationStatuses", "mnuDataEntryReconciliationStatuses", "frmTransactionStatus"},
        {"cmdDepartments", "mnuDataEntryDepartments", "frmDepartments"},
        {"cmdChartOfAccounts", "mnuDataEntryCOA", "frmChartOfAccounts"},
        {"cmdTaxTable", "mnuDataEntryTaxTable", "frmTaxTable"},
        {"cmdCustomers", "mnuDataEntryCustomers", "frmCustomers"},
        {"cmdVendors", "mnuDataEntryVendors", "frmVendors"},
    };
    for (const auto& pair : pairs) {
        QTest::newRow(pair[0]) << pair[0] << pair[2];
        QTest::newRow(pair[1]) << pair[1] << pair[2];
    }
}

void TestCodeLists::switchboardOpensWindows() {
    QFETCH(QString, command);
    QFETCH(QString, window);
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    QString opened;
    whenModal([&opened](QDialog* dialog) {
        opened = dialog->objectName();
        dialog->close();
    });
    QVERIFY2(runCommand(&switchboard, command), qPrintable(command));
    QCOMPARE(opened, window);
    book.prompts.verifyAllShown();
}

void TestCodeLists::functionKeysInMasterWindows_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("handled");
    QTest::newRow("types") << "cmdTransactionType" << true;
    QTest::newRow("chart") << "cmdChartOfAccounts" << true;
    QTest::newRow("departments") << "cmdDepartments" << true;
    QTest::newRow("tax") << "cmdTaxTable" << true;
    // The status list passes no keys to the function-key handler.
    QTest::newRow("statuses") << "cmdReconciliationStatuses" << false;
}

void TestCodeLists::functionKeysInMasterWindows() {
    QFETCH(QString, command);
    QFETCH(bool, handled);
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    if (handled)
        book.prompts.expectMatch(QStringLiteral("^F1  - Help\r\nF2  - Calculator"));
    whenModal([](QDialog* dialog) {
        auto* grid = dialog->findChild<QTableView*>();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(grid, Qt::Key_F5);
        QTest::keyClick(grid, Qt::Key_F1);
        dialog->close();
    });
    switchboard.findChild<QPushButton*>(command)->click();
    book.prompts.verifyAllShown();
    // F1 opens the window's own help page everywhere.
    QCOMPARE(book.launcher.helpTopics.size(), 1);
}

QTEST_MAIN(TestCodeLists)
#include "tst_codelists.moc"
