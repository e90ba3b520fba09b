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
    void listsShowTheirTables_data();
    void listsShowTheirTables();
    void listsRefuseChanges_data();
    void listsRefuseChanges();
    void statusChooser_data();
    void statusChooser();
    void switchboardOpensWindows_data();
    void switchboardOpensWindows();
    void functionKeysInMasterWindows_data();
    void functionKeysInMasterWindows();
};

void TestCodeLists::listsShowTheirTables_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("types") << int(CodeListWindow::List::TransactionTypes) << "frmTransactionType"
                           << "Transaction Type - Read Only"
                           << QStringList{"TransType", "TransTypeDesc"}
                           << QStringList{"1", "2", "3", "4", "5", "6", "7"};
    QTest::newRow("statuses") << int(CodeListWindow::List::TransactionStatuses)
                              << "frmTransactionStatus"
                              << "Reconciliation Status - Read Only"
                              << QStringList{"Rec Status", "Description"}
                              << QStringList{"1", "2", "3", "4"};
}

void TestCodeLists::listsShowTheirTables() {
    QFETCH(int, list);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, codes);
    TestBook book;
    CodeListWindow window(book.services, CodeListWindow::List(list));
    window.show();
    QCOMPARE(window.objectName(), name);
    QCOMPARE(window.windowTitle(), title);
    auto* grid = window.findChild<QTableView*>(QStringLiteral("DataGrid1"));
    QVERIFY(grid);
    QStringList shown;
    for (int i = 0; i < grid->model()->columnCount(); ++i)
        shown << grid->model()->headerData(i, Qt::Horizontal).toString();
    QCOMPARE(shown, headings);
    QCOMPARE(columnTexts(grid, 0), codes);
    QCOMPARE(grid->model()->index(1, 1).data().toString(),
             list == int(CodeListWindow::List::TransactionTypes)
                 ? QStringLiteral("Payment - CB / AP")
                 : QStringLiteral("Reconciled"));
}

void TestCodeLists::listsRefuseChanges_data() {
    QTest::addColumn<int>("list");
    QTest::newRow("types") << int(CodeListWindow::List::TransactionTypes);
    QTest::newRow("statuses") << int(CodeListWindow::List::TransactionStatuses);
}

void TestCodeLists::listsRefuseChanges() {
    QFETCH(int, list);
    TestBook book;
    CodeListWindow window(book.services, CodeListWindow::List(list));
    window.show();
    auto* grid = window.findChild<QTableView*>(QStringLiteral("DataGrid1"));
    const int rows = grid->model()->rowCount();
    const QModelIndex first = grid->model()->index(0, 1);
    grid->setCurrentIndex(first);
    QVERIFY(!(grid->model()->flags(first) & Qt::ItemIsEditable));
    QVERIFY(!grid->model()->setData(first, QStringLiteral("Changed")));
    QTest::keyClicks(grid, "xyz");
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(grid->model()->rowCount(), rows);
    QVERIFY(first.data().toString() != QLatin1String("Changed"));
    const QString table = list == int(CodeListWindow::List::TransactionTypes)
                              ? QStringLiteral("tblTransactionType")
                              : QStringLiteral("tblTransactionStatus");
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(), rows);
    // Nothing in the window could add, save or delete.
    const QStringList commands = {"cmdAdd", "cmdUpdate", "cmdDelete"};
    for (const QString& command : commands)
        QVERIFY(!window.findChild<QPushButton*>(command));
}

void TestCodeLists::statusChooser_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("value");
    QTest::newRow("Reconciled") << 1 << "2";
    QTest::newRow("Void") << 3 << "4";
    QTest::newRow("Enter on Reversed") << 102 << "3";
    QTest::newRow("Close") << -1 << "";
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
        if (row == -1)
            press(window, "cmdClose");
        else if (row == -2)
            window->close();
        else if (row >= 100) {
            auto* grid = window->findChild<QTableView*>(QStringLiteral("DataGrid1"));
            grid->setCurrentIndex(grid->model()->index(row - 100, 0));
            QTest::keyClick(grid, Qt::Key_Return);
        } else
            doubleClickRow(window->findChild<QTableView*>(QStringLiteral("DataGrid1")), row);
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
