// The chart of accounts, departments and tax table windows, driven as a user drives them:
// cell and row rules, Save, Delete, Delete All, Restore Sample, the navigator caption,
// the lookup buttons and the double-click transfer.

#include "masterstesting.h"
#include "support/testbook.h"

#include "masters/chartofaccountswindow.h"
#include "masters/departmentswindow.h"
#include "masters/gridnavigatorbar.h"
#include "masters/gridview.h"
#include "masters/lookups.h"
#include "masters/taxtablewindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

enum Which { Chart, Departments, Tax };

std::unique_ptr<GridMaintenanceWindow> openWindow(TestBook& book, int which) {
    std::unique_ptr<GridMaintenanceWindow> window;
    if (which == Chart)
        window = std::make_unique<ChartOfAccountsWindow>(book.services);
    else if (which == Departments)
        window = std::make_unique<DepartmentsWindow>(book.services);
    else
        window = std::make_unique<TaxTableWindow>(book.services);
    window->show();
    return window;
}

const char* const kTables[] = {"tblChartOfAccounts", "tblDepartments", "tblTaxTable"};

int count(TestBook& book, int which) {
    return book.value(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(kTables[which]))
        .toInt();
}

void addTaxCodes(TestBook& book, const QStringList& codes) {
    for (const QString& code : codes)
        book.sql(QStringLiteral("INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate) "
                                "VALUES (?, ?, 0.07)"),
                 {code, code + QStringLiteral(" tax")});
}

QString caption(GridMaintenanceWindow& window) {
    return window.navigator()->caption();
}

QString cell(GridMaintenanceWindow& window, int row, int column) {
    return window.recordSet().text(row, column);
}

const QString kDuplicate = QStringLiteral("^The changes you requested to the table were not "
                                          "successful because they would create duplicate");

} // namespace

class TestGridMasters : public QObject {
    Q_OBJECT
private slots:
    void codesAreCutOnlyBeyondSix_data();
    void codesAreCutOnlyBeyondSix();
    void newAccountWithOnlyCodeGetsDefaults();
    void emptyCodeRefused_data();
    void emptyCodeRefused();
    void duplicatePairRefused_data();
    void duplicatePairRefused();
    void deletePositions_data();
    void deletePositions();
    void emptyListMessages_data();
    void emptyListMessages();
    void deleteAll_data();
    void deleteAll();
    void restoreSample_data();
    void restoreSample();
    void captionFollowsMoves();
    void closingWritesChangedRow();
    void saveTakesTheOpenCell();
    void departmentButton_data();
    void departmentButton();
    void taxRateReadAsPercentage_data();
    void taxRateReadAsPercentage();
    void taxGlAccountButton_data();
    void taxGlAccountButton();
    void choosersWriteOnlyTheirOwnStrings_data();
    void choosersWriteOnlyTheirOwnStrings();
};

void TestGridMasters::codesAreCutOnlyBeyondSix_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("account code of 8") << int(Chart) << 0 << "abcdefgh"
                                       << "ABCDEF";
    QTest::newRow("account code of 7") << int(Chart) << 0 << "abcdefg"
                                       << "ABCDEF";
    QTest::newRow("account code of 6") << int(Chart) << 0 << "abcdef"
                                       << "abcdef";
    QTest::newRow("account code of 3") << int(Chart) << 0 << "abc"
                                       << "abc";
    QTest::newRow("account dept of 9") << int(Chart) << 1 << "salesdept"
                                       << "SALESD";
    QTest::newRow("account dept of 5") << int(Chart) << 1 << "sales"
                                       << "sales";
    QTest::newRow("department of 8") << int(Departments) << 0 << "abcdefgh"
                                     << "ABCDEF";
    QTest::newRow("department of 3") << int(Departments) << 0 << "abc"
                                     << "abc";
    QTest::newRow("tax code is not cut") << int(Tax) << 0 << "abcdefgh"
                                         << "abcdefgh";
}

void TestGridMasters::codesAreCutOnlyBeyondSix() {
    QFETCH(int, which);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TestBook book;
    auto window = openWindow(book, which);
    const int row = window->recordSet().newRowLine();
    if (column == 1)
        typeInCell(window->grid(), row, 0, QStringLiteral("9999"));
    typeInCell(window->grid(), row, column, typed);
    QCOMPARE(cell(*window, row, column), stored);
    book.prompts.expect(QStringLiteral("Saved!"));
    press(window.get(), "cmdUpdate");
    book.prompts.verifyAllShown();
    const QString field = which == Chart         ? (column == 0 ? "AccountCode" : "DeptCode")
                          : which == Departments ? "DeptCode"
                                                 : "TaxCode";
    QVERIFY(book.value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ? COLLATE BINARY")
                           .arg(QLatin1String(kTables[which]), field),
                       {stored})
                .toInt() == 1);
}

void TestGridMasters::newAccountWithOnlyCodeGetsDefaults() {
    TestBook book;
    auto window = openWindow(book, Chart);
    typeInCell(window->grid(), 0, 0, QStringLiteral("1234"));
    QCOMPARE(cell(*window, 0, 1), QStringLiteral(" "));
    QCOMPARE(cell(*window, 0, 2), QStringLiteral("Need to enter desc"));
    QCOMPARE(caption(*window), QStringLiteral("Account: 1 of 1"));
    // Leaving the row writes it.
    QTest::keyClick(window->grid(), Qt::Key_Down);
    QCOMPARE(window->currentRow(), 1);
    QVERIFY(!window->recordSet().isInEdit());
    QSqlQuery row = book.db.exec(
        QStringLiteral("SELECT AccountCode, DeptCode, AccountDescription FROM tblChartOfAccounts"));
    QVERIFY(row.next());
    QCOMPARE(row.value(0).toString(), QStringLiteral("1234"));
    QCOMPARE(row.value(1).toString(), QStringLiteral(" "));
    QCOMPARE(row.value(2).toString(), QStringLiteral("Need to enter desc"));
    // A described account keeps its description when its code changes.
    typeInCell(window->grid(), 0, 2, QStringLiteral("Rent"));
    typeInCell(window->grid(), 0, 0, QStringLiteral("6100"));
    QCOMPARE(cell(*window, 0, 2), QStringLiteral("Rent"));
    book.prompts.verifyAllShown();
}

void TestGridMasters::emptyCodeRefused_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("bySave");
    QTest::addColumn<QString>("message");
    QTest::newRow("account, Save") << int(Chart) << true << "Must enter an Account Code.";
    QTest::newRow("account, leaving") << int(Chart) << false << "Must enter an Account Code.";
    QTest::newRow("department, Save")
        << int(Departments) << true << "Must enter a Department Code.";
    QTest::newRow("department, leaving")
        << int(Departments) << false << "Must enter a Department Code.";
    // The tax table has no rules of its own: the book refuses a row without its key.
    QTest::newRow("tax code, leaving")
        << int(Tax) << false << "Index or primary key cannot contain a Null value.";
}

void TestGridMasters::emptyCodeRefused() {
    QFETCH(int, which);
    QFETCH(bool, bySave);
    QFETCH(QString, message);
    TestBook book;
    if (which == Chart)
        addAccounts(book, {{"1000", " ", "Bank"}});
    auto window = openWindow(book, which);
    const int before = count(book, which);
    const int row = window->recordSet().newRowLine();
    const int description = which == Chart ? 2 : 1; // the tax description is column 1 too
    typeInCell(window->grid(), row, description, QStringLiteral("No code"));
    // The refusal is the only message: Save ends silently, with no "Saved!".
    book.prompts.expect(message);
    if (bySave)
        press(window.get(), "cmdUpdate");
    else
        QTest::keyClick(window->grid(), Qt::Key_Down);
    book.prompts.verifyAllShown();
    QCOMPARE(count(book, which), before);
    QCOMPARE(window->currentRow(), row);
    QCOMPARE(window->recordSet().editRow(), row);
    QCOMPARE(cell(*window, row, description), QStringLiteral("No code"));
}

void TestGridMasters::duplicatePairRefused_data() {
    QTest::addColumn<bool>("bySave");
    QTest::newRow("leaving the row") << false;
    QTest::newRow("Save") << true;
}

void TestGridMasters::duplicatePairRefused() {
    QFETCH(bool, bySave);
    TestBook book;
    addAccounts(book, {{"1000", " ", "Bank"}, {"2000", " ", "Wages"}});
    auto window = openWindow(book, Chart);
    typeInCell(window->grid(), 2, 0, QStringLiteral("1000"));
    if (bySave) {
        book.prompts.expectMatch(
            QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: -2147467259\r\n[\\s\\S]*"
                           "\r\nForm: frmChartOfAccounts\r\nRoutine: cmdUpdate$"));
        press(window.get(), "cmdUpdate");
    } else {
        book.prompts.expectMatch(kDuplicate);
        QTest::keyClick(window->grid(), Qt::Key_Up);
    }
    book.prompts.verifyAllShown();
    QCOMPARE(count(book, Chart), 2);
    // The user's row is kept, in edit, under the cursor.
    QCOMPARE(window->currentRow(), 2);
    QCOMPARE(window->recordSet().editRow(), 2);
    // Esc undoes it; the window stays open.
    QTest::keyClick(window->grid(), Qt::Key_Escape);
    QVERIFY(window->isVisible());
    QVERIFY(!window->recordSet().isInEdit());
    QCOMPARE(window->recordSet().recordCount(), 2);
    QCOMPARE(caption(*window), QStringLiteral("Account: 2 of 2"));
}

void TestGridMasters::deletePositions_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("caption");
    // The chart and the tax table re-read the list and stand on its second row.
    QTest::newRow("chart, first of three") << int(Chart) << QStringList{"A", "B", "C"} << 0 << "C"
                                           << "Account: 2 of 2";
    QTest::newRow("chart, third of four")
        << int(Chart) << QStringList{"A", "B", "C", "D"} << 2 << "B"
        << "Account: 2 of 3";
    QTest::newRow("chart, only row") << int(Chart) << QStringList{"A"} << 0 << ""
                                     << "Account: 0";
    QTest::newRow("chart, first of two") << int(Chart) << QStringList{"A", "B"} << 0 << "B"
                                         << "Account: 1 of 1";
    QTest::newRow("tax, first of three") << int(Tax) << QStringList{"A", "B", "C"} << 0 << "C"
                                         << "Tax Code: 2 of 2";
    // Departments stand on the row that followed the deleted one.
    QTest::newRow("departments, middle")
        << int(Departments) << QStringList{"ADMIN", "SALES", "SERV"} << 1 << "SERV"
        << "Department: 2 of 2";
    QTest::newRow("departments, last")
        << int(Departments) << QStringList{"ADMIN", "SALES", "SERV"} << 2 << "SALES"
        << "Department: 2 of 2";
    QTest::newRow("departments, first")
        << int(Departments) << QStringList{"ADMIN", "SALES", "SERV"} << 0 << "SALES"
        << "Department: 1 of 2";
}

void TestGridMasters::deletePositions() {
    QFETCH(int, which);
    QFETCH(QStringList, codes);
    QFETCH(int, deleted);
    QFETCH(QString, current);
    QFETCH(QString, caption);
    TestBook book;
    if (which == Chart)
        for (const QString& code : codes)
            addAccounts(book, {{code, " ", code + QStringLiteral(" account")}});
    else if (which == Tax)
        addTaxCodes(book, codes);
    auto window = openWindow(book, which);
    QVERIFY(window->moveTo(deleted));
    // No keeps everything.
    book.prompts.expect(QStringLiteral("Are you sure?"), Prompts::Answer::No);
    press(window.get(), "cmdDelete");
    QCOMPARE(count(book, which), codes.size());
    book.prompts.expect(QStringLiteral("Are you sure?"), Prompts::Answer::Yes);
    press(window.get(), "cmdDelete");
    book.prompts.verifyAllShown();
    QCOMPARE(book.prompts.shown().last().defaultButton, Prompts::Answer::No);
    QCOMPARE(count(book, which), codes.size() - 1);
    QCOMPARE(window->recordSet().recordCount(), codes.size() - 1);
    const int row = window->currentRow();
    QCOMPARE(window->recordSet().text(row, 0), current);
    QCOMPARE(::caption(*window), caption);
}

void TestGridMasters::emptyListMessages_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    const char* const captions[] = {"Account: 0", "Department: 0", "Tax Code: 0"};
    for (int which : {int(Chart), int(Departments), int(Tax)}) {
        const QByteArray name = kTables[which];
        QTest::newRow(name + " Save") << which << "cmdUpdate"
                                      << "There is no record to save." << captions[which];
        QTest::newRow(name + " Delete") << which << "cmdDelete"
                                        << "There are no records to delete." << captions[which];
    }
    QTest::newRow("chart Delete All") << int(Chart) << "cmdDeleteAll"
                                      << "There are no records to delete." << captions[0];
}

void TestGridMasters::emptyListMessages() {
    QFETCH(int, which);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    TestBook book;
    book.sql(QStringLiteral("DELETE FROM tblDepartments"));
    auto window = openWindow(book, which);
    QCOMPARE(::caption(*window), caption);
    // The blank new-row line is the only row, and the cursor is on it.
    QVERIFY(window->recordSet().isNewRowLine(window->currentRow()));
    book.prompts.expect(message);
    press(window.get(), button.toLatin1().constData());
    book.prompts.verifyAllShown();
    QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Information);
    QCOMPARE(count(book, which), 0);
}

void TestGridMasters::deleteAll_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestGridMasters::deleteAll() {
    QFETCH(bool, yes);
    TestBook book;
    addAccounts(book, {{"1000", " ", "Bank"}, {"2000", "", "Wages"}, {"3000", "ADMIN", "Rent"}});
    auto window = openWindow(book, Chart);
    book.prompts.expect(QStringLiteral("This will delete all the records.  \r\n\r\nAre you sure?"),
                        yes ? Prompts::Answer::Yes : Prompts::Answer::No);
    press(window.get(), "cmdDeleteAll");
    book.prompts.verifyAllShown();
    QCOMPARE(count(book, Chart), yes ? 0 : 3);
    QCOMPARE(window->recordSet().recordCount(), yes ? 0 : 3);
    QCOMPARE(caption(*window),
             yes ? QStringLiteral("Account: 0") : QStringLiteral("Account: 1 of 3"));
    QVERIFY(window->isVisible());
}

void TestGridMasters::restoreSample_data() {
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("duplicate");
    QTest::newRow("into an empty chart") << QStringList{} << true << false;
    QTest::newRow("beside other accounts") << QStringList{"9999", "", "Suspense"} << true << false;
    QTest::newRow("over a sample account") << QStringList{"6100", "", "Rent"} << true << true;
    QTest::newRow("answered No") << QStringList{} << false << false;
}

void TestGridMasters::restoreSample() {
    QFETCH(QStringList, existing);
    QFETCH(bool, yes);
    QFETCH(bool, duplicate);
    TestBook book;
    if (!existing.isEmpty())
        addAccounts(book, {existing});
    const int sample =
        book.value(QStringLiteral("SELECT COUNT(*) FROM tblChartOfAccountsSample")).toInt();
    QVERIFY(sample > 0);
    auto window = openWindow(book, Chart);
    book.prompts.expect(QStringLiteral("This will restore the sample CoA.\r\n\r\nAfter restoring, "
                                       "the form will close.\r\nYou will need to re-open the form "
                                       "to \r\nsee the restored CoA."),
                        yes ? Prompts::Answer::Yes : Prompts::Answer::No);
    if (duplicate)
        book.prompts.expect(QStringLiteral("That would cause duplicate accounts."));
    press(window.get(), "cmdRestore");
    book.prompts.verifyAllShown();
    const int before = int(existing.isEmpty() ? 0 : 1);
    QCOMPARE(count(book, Chart), yes && !duplicate ? before + sample : before);
    // The window closes after a restore; it stays open after a refusal or a No.
    QCOMPARE(window->isVisible(), !yes || duplicate);
}

void TestGridMasters::captionFollowsMoves() {
    TestBook book;
    QList<QStringList> accounts;
    for (int i = 0; i < 120; ++i)
        accounts.append({QString::number(1000 + i), " ", QStringLiteral("Account %1").arg(i)});
    addAccounts(book, accounts);
    auto window = openWindow(book, Chart);
    QCOMPARE(caption(*window), QStringLiteral("Account: 1 of 120"));
    auto* navigator = window->navigator();
    press(navigator, "navLast");
    QCOMPARE(caption(*window), QStringLiteral("Account: 120 of 120"));
    press(navigator, "navNext");
    QCOMPARE(caption(*window), QStringLiteral("Account: 120 of 120"));
    press(navigator, "navPrevious");
    QCOMPARE(caption(*window), QStringLiteral("Account: 119 of 120"));
    press(navigator, "navFirst");
    QCOMPARE(caption(*window), QStringLiteral("Account: 1 of 120"));
    // Opened for upkeep rather than to choose, Enter hands nothing over.
    QTest::keyClick(window->grid(), Qt::Key_Return);
    QVERIFY(window->isVisible());
    QVERIFY(window->moveTo(2));
    QCOMPARE(caption(*window), QStringLiteral("Account: 3 of 120"));
    // Add goes to the new-row line below the last row; typing there makes a 121st record.
    press(window.get(), "cmdAdd");
    QCOMPARE(window->currentRow(), 120);
    QVERIFY(window->recordSet().isNewRowLine(120));
    QCOMPARE(caption(*window), QStringLiteral("Account: 120 of 120"));
    typeInCell(window->grid(), 120, 0, QStringLiteral("5555"));
    QCOMPARE(caption(*window), QStringLiteral("Account: 121 of 121"));
    book.prompts.verifyAllShown();
}

void TestGridMasters::closingWritesChangedRow() {
    TestBook book;
    auto window = openWindow(book, Departments);
    // A row the rules refuse keeps the window open with the row as typed.
    typeInCell(window->grid(), 3, 1, QStringLiteral("Warehouse"));
    book.prompts.expect(QStringLiteral("Must enter a Department Code."));
    press(window.get(), "cmdClose");
    QVERIFY(window->isVisible());
    typeInCell(window->grid(), 3, 0, QStringLiteral("WH"));
    press(window.get(), "cmdClose");
    QVERIFY(!window->isVisible());
    book.prompts.verifyAllShown();
    QCOMPARE(book.value(QStringLiteral("SELECT DeptDescription FROM tblDepartments WHERE "
                                       "DeptCode = 'WH'"))
                 .toString(),
             QStringLiteral("Warehouse"));
}

void TestGridMasters::saveTakesTheOpenCell() {
    TestBook book;
    auto window = openWindow(book, Chart);
    GridView* grid = window->grid();
    grid->setCurrentIndex(window->recordSet().index(0, 0));
    grid->edit(grid->currentIndex());
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, "abcdefgh");
    // The button is pressed without taking the focus, as its access key does.
    book.prompts.expect(QStringLiteral("Saved!"));
    window->findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->click();
    QCoreApplication::processEvents();
    book.prompts.verifyAllShown();
    QVERIFY(!grid->isEditing());
    QVERIFY(!window->recordSet().isInEdit());
    QCOMPARE(book.value(QStringLiteral("SELECT AccountCode || '/' || DeptCode || '/' || "
                                       "AccountDescription FROM tblChartOfAccounts"))
                 .toString(),
             QStringLiteral("ABCDEF/ /Need to enter desc"));
}

void TestGridMasters::departmentButton_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("dept");
    QTest::newRow("double-click SALES") << 1 << "SALES";
    QTest::newRow("closed without a choice") << -1 << " ";
    QTest::newRow("double-click the new-row line") << 3 << " ";
}

void TestGridMasters::departmentButton() {
    QFETCH(int, choice);
    QFETCH(QString, dept);
    TestBook book;
    addAccounts(book, {{"6000", " ", "Salaries"}});
    auto window = openWindow(book, Chart);
    window->grid()->setCurrentIndex(window->recordSet().index(0, 1));
    book.lookup.LookupValue2 = QStringLiteral("stale");
    whenModal([choice](QDialog* departments) {
        QCOMPARE(departments->objectName(), QStringLiteral("frmDepartments"));
        auto* grid = departments->findChild<GridView*>(QStringLiteral("grdDataGrid"));
        if (choice < 0)
            press(departments, "cmdClose");
        else
            doubleClickRow(grid, choice);
    });
    QTest::keyClick(window->grid(), Qt::Key_Down, Qt::AltModifier);
    QVERIFY(window->isVisible());
    QCOMPARE(cell(*window, 0, 1), dept);
    QCOMPARE(window->recordSet().isInEdit(), choice == 1);
    if (choice == 1) {
        book.prompts.expect(QStringLiteral("Saved!"));
        press(window.get(), "cmdUpdate");
        QCOMPARE(book.value(QStringLiteral("SELECT DeptCode FROM tblChartOfAccounts")).toString(),
                 QStringLiteral("SALES"));
    }
    book.prompts.verifyAllShown();
}

void TestGridMasters::taxRateReadAsPercentage_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("7") << "7" << QVariant(0.07) << "7.00%";
    QTest::newRow("7.5") << "7.5" << QVariant(0.075) << "7.50%";
    QTest::newRow("7.00%") << "7.00%" << QVariant(0.07) << "7.00%";
    QTest::newRow("spaces and sign") << " 15 %" << QVariant(0.15) << "15.00%";
    QTest::newRow(".5") << ".5" << QVariant(0.005) << "0.50%";
    QTest::newRow("zero") << "0" << QVariant(0.0) << "0.00%";
    QTest::newRow("cleared") << "" << QVariant() << "";
    QTest::newRow("not a number") << "seven" << QVariant() << "";
    QTest::newRow("two signs") << "7%%" << QVariant() << "";
}

void TestGridMasters::taxRateReadAsPercentage() {
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);
    QFETCH(QString, shown);
    TestBook book;
    auto window = openWindow(book, Tax);
    typeInCell(window->grid(), 0, 0, QStringLiteral("GST"));
    const bool unreadable = !stored.isValid() && !typed.isEmpty();
    if (unreadable)
        book.prompts.expect(
            QStringLiteral("Tax Rate must be a percentage, such as 7, 7.5 or 7.00%."));
    typeInCell(window->grid(), 0, 2, typed);
    QCOMPARE(cell(*window, 0, 2), shown);
    book.prompts.expect(QStringLiteral("Saved!"));
    press(window.get(), "cmdUpdate");
    book.prompts.verifyAllShown();
    const QVariant rate = book.value(QStringLiteral("SELECT TaxRate FROM tblTaxTable"));
    QCOMPARE(rate.isNull(), !stored.isValid());
    if (stored.isValid())
        QCOMPARE(rate.toDouble(), stored.toDouble());
}

void TestGridMasters::taxGlAccountButton_data() {
    QTest::addColumn<bool>("choose");
    QTest::newRow("account chosen") << true;
    QTest::newRow("chart closed without a choice") << false;
}

void TestGridMasters::taxGlAccountButton() {
    QFETCH(bool, choose);
    TestBook book;
    addAccounts(book, {{"2100", "ADMIN", "GST Payable"}});
    book.sql(QStringLiteral("INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate, "
                            "GLAccountCode, GLAccountDept, GLAccountDesc) VALUES "
                            "('GST', 'Goods', 0.07, '9', '', 'Old')"));
    auto window = openWindow(book, Tax);
    window->grid()->setCurrentIndex(window->recordSet().index(0, 3));
    whenModal([choose](QDialog* chart) {
        QCOMPARE(chart->objectName(), QStringLiteral("frmChartOfAccounts"));
        if (choose)
            doubleClickRow(chart->findChild<GridView*>(QStringLiteral("grdDataGrid")), 0);
        else
            chart->close();
    });
    QTest::keyClick(window->grid(), Qt::Key_Down, Qt::AltModifier);
    const QStringList expected =
        choose ? QStringList{"2100", "ADMIN", "GST Payable"} : QStringList{"9", "", "Old"};
    QCOMPARE((QStringList{cell(*window, 0, 3), cell(*window, 0, 4), cell(*window, 0, 5)}),
             expected);
    QCOMPARE(window->recordSet().isInEdit(), choose);
    book.prompts.verifyAllShown();
}

void TestGridMasters::choosersWriteOnlyTheirOwnStrings_data() {
    QTest::addColumn<QString>("chooser");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("chosen");
    const QString k = QStringLiteral("keep");
    QTest::newRow("chart") << "chart" << 0 << QStringList{"1000", " ", "Bank", k, k, k, k} << true;
    QTest::newRow("chart closed") << "chart" << -1 << QStringList{"", "", "", k, k, k, k} << false;
    QTest::newRow("departments") << "departments" << 1 << QStringList{k, "SALES", k, k, k, k, k}
                                 << true;
    QTest::newRow("departments closed")
        << "departments" << -1 << QStringList{k, "", k, k, k, k, k} << false;
    QTest::newRow("chart, Enter") << "chart" << 100 << QStringList{"1000", " ", "Bank", k, k, k, k}
                                  << true;
    QTest::newRow("tax") << "tax" << 0 << QStringList{k, k, k, "GST", "7.00%", "2100", " "} << true;
    QTest::newRow("tax closed") << "tax" << -1 << QStringList{k, k, k, "", "", "", ""} << false;
}

void TestGridMasters::choosersWriteOnlyTheirOwnStrings() {
    QFETCH(QString, chooser);
    QFETCH(int, row);
    QFETCH(QStringList, values);
    QFETCH(bool, chosen);
    TestBook book;
    addAccounts(book, {{"1000", " ", "Bank"}});
    book.sql(QStringLiteral("INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate, "
                            "GLAccountCode, GLAccountDept, GLAccountDesc) VALUES "
                            "('GST', 'Goods and services', 0.07, '2100', ' ', 'GST Payable')"));
    for (int n = 1; n <= 7; ++n)
        book.lookup.value(n) = QStringLiteral("keep");
    whenModal([row](QDialog* window) {
        auto* grid = window->findChild<GridView*>(QStringLiteral("grdDataGrid"));
        if (row < 0) {
            press(window, "cmdClose");
        } else if (row >= 100) {
            grid->setCurrentIndex(grid->model()->index(row - 100, 0));
            QTest::keyClick(grid, Qt::Key_Return);
        } else {
            doubleClickRow(grid, row);
        }
    });
    bool result = false;
    if (chooser == QLatin1String("chart"))
        result = lookupChartOfAccounts(book.services, nullptr);
    else if (chooser == QLatin1String("departments"))
        result = lookupDepartment(book.services, nullptr);
    else
        result = lookupTaxCode(book.services, nullptr);
    QCOMPARE(result, chosen);
    QStringList got;
    for (int n = 1; n <= 7; ++n)
        got << book.lookup.value(n);
    QCOMPARE(got, values);
    QVERIFY(!book.busy.isBusy());
    book.prompts.verifyAllShown();
}

QTEST_MAIN(TestGridMasters)
#include "tst_gridmasters.moc"
