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

// Accounts given as code, department, description in turn.
void addAccountTriples(TestBook& book, const QStringList& triples) {
    for (int i = 0; i + 2 < triples.size(); i += 3)
        addAccount(book, triples.at(i), triples.at(i + 1), triples.at(i + 2));
}

QString caption(GridMaintenanceWindow& window) {
    return window.navigator()->caption();
}

QString cell(GridMaintenanceWindow& window, int row, int column) {
    return window.recordSet().text(row, column);
}

// The chart's rows as code/department/description, one per line.
QString accountsWritten(TestBook& book) {
    return book
        .value(QStringLiteral("SELECT group_concat(AccountCode || '/' || DeptCode || '/' || "
                              "AccountDescription, char(10)) FROM tblChartOfAccounts"))
        .toString();
}

void addGstRow(TestBook& book, const QString& glCode, const QString& glDept,
               const QString& glDescription) {
    book.sql(QStringLiteral("INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate, "
                            "GLAccountCode, GLAccountDept, GLAccountDesc) VALUES "
                            "('GST', 'Goods and services', 0.07, ?, ?, ?)"),
             {glCode, glDept, glDescription});
}

} // namespace

class TestGridMasters : public QObject {
    Q_OBJECT
private slots:
    void codesAreCutOnlyBeyondSix_data();
    void codesAreCutOnlyBeyondSix();
    void newAccountWithOnlyCodeGetsDefaults();
    void rowRefused_data();
    void rowRefused();
    void deletePositions_data();
    void deletePositions();
    void deleteAllAndRestoreSample_data();
    void deleteAllAndRestoreSample();
    void taxRateReadAsPercentage_data();
    void taxRateReadAsPercentage();
    void lookupButtons_data();
    void lookupButtons();
    void choosersWriteOnlyTheirOwnStrings_data();
    void choosersWriteOnlyTheirOwnStrings();
};

void TestGridMasters::codesAreCutOnlyBeyondSix_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("editorOpen"); // Save pressed by its access key, the cell still open
    auto row = [](const char* name, int which, int column, const char* typed, const char* stored,
                  bool editorOpen = false) {
        QTest::newRow(name) << which << column << QString(typed) << QString(stored) << editorOpen;
    };
    row("account code of 7", Chart, 0, "abcdefg", "ABCDEF");
    row("account code of 6", Chart, 0, "abcdef", "abcdef");
    row("account code of 8, cell open", Chart, 0, "abcdefgh", "ABCDEF", true);
    row("account dept of 9", Chart, 1, "salesdept", "SALESD");
    row("department of 8", Departments, 0, "abcdefgh", "ABCDEF");
    row("tax code is not cut", Tax, 0, "abcdefgh", "abcdefgh");
}

void TestGridMasters::codesAreCutOnlyBeyondSix() {
    QFETCH(int, which);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, editorOpen);
    TestBook book;
    auto window = openWindow(book, which);
    GridView* grid = window->grid();
    const int row = window->recordSet().newRowLine();
    if (column == 1)
        typeInCell(grid, row, 0, QStringLiteral("9999"));
    book.prompts.expect(QStringLiteral("Saved!"));
    if (editorOpen) {
        grid->setCurrentIndex(window->recordSet().index(row, column));
        grid->edit(grid->currentIndex());
        QTest::keyClicks(child<QLineEdit>(grid->viewport(), QString()), typed);
        child<QPushButton>(window.get(), QStringLiteral("cmdUpdate"))->click();
        QCoreApplication::processEvents();
        QVERIFY(!grid->isEditing());
        QVERIFY(!window->recordSet().isInEdit());
    } else {
        typeInCell(grid, row, column, typed);
        QCOMPARE(cell(*window, row, column), stored);
        press(window.get(), "cmdUpdate");
    }
    book.prompts.verifyAllShown();
    const char* const codeFields[] = {"AccountCode", "DeptCode", "TaxCode"};
    const QString field = column == 1 ? "DeptCode" : codeFields[which];
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ? COLLATE BINARY")
                            .arg(QLatin1String(kTables[which]), field),
                        {stored})
                 .toInt(),
             1);
}

void TestGridMasters::newAccountWithOnlyCodeGetsDefaults() {
    TestBook book;
    addAccount(book, "1000", " ", "Bank");
    auto window = openWindow(book, Chart);
    // Opened for upkeep rather than to choose, Enter hands nothing over.
    QTest::keyClick(window->grid(), Qt::Key_Return);
    QVERIFY(window->isVisible());
    // Add goes to the new-row line below the last row; typing there makes a second record.
    press(window.get(), "cmdAdd");
    QCOMPARE(window->currentRow(), 1);
    QVERIFY(window->recordSet().isNewRowLine(1));
    QCOMPARE(caption(*window), QStringLiteral("Account: 1 of 1"));
    typeInCell(window->grid(), 1, 0, QStringLiteral("1234"));
    QCOMPARE(cell(*window, 1, 1), QStringLiteral(" "));
    QCOMPARE(cell(*window, 1, 2), QStringLiteral("Need to enter desc"));
    QCOMPARE(caption(*window), QStringLiteral("Account: 2 of 2"));
    // Leaving the row writes it.
    QTest::keyClick(window->grid(), Qt::Key_Up);
    QCOMPARE(window->currentRow(), 0);
    QVERIFY(!window->recordSet().isInEdit());
    QCOMPARE(accountsWritten(book), QStringLiteral("1000/ /Bank\n1234/ /Need to enter desc"));
    // A described account keeps its description when its code changes.
    typeInCell(window->grid(), 0, 0, QStringLiteral("6100"));
    QCOMPARE(cell(*window, 0, 2), QStringLiteral("Bank"));
    book.prompts.verifyAllShown();
}

void TestGridMasters::rowRefused_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("code"); // typed after the description
    QTest::addColumn<QString>("how");  // the button pressed, or "" for leaving the row
    QTest::addColumn<QString>("message");
    auto row = [](const char* name, int which, const char* code, const char* how,
                  const char* message) {
        QTest::newRow(name) << which << QString(code) << QString(how) << QString(message);
    };
    row("account without code, Save", Chart, "", "cmdUpdate", "Must enter an Account Code.");
    row("department without code, Close", Departments, "", "cmdClose",
        "Must enter a Department Code.");
    // The tax table has no rules of its own: the book refuses a row without its key.
    row("tax without code, leaving", Tax, "", "",
        "Index or primary key cannot contain a Null value.");
    row("duplicate pair, leaving", Chart, "1000", "",
        "^The changes you requested to the table were not successful because they would "
        "create duplicate");
    row("duplicate pair, Save", Chart, "1000", "cmdUpdate",
        "^An error has occurred\\.\r\n\r\nError Number: -2147467259\r\n[\\s\\S]*\r\nForm: "
        "frmChartOfAccounts\r\nRoutine: cmdUpdate$");
}

void TestGridMasters::rowRefused() {
    QFETCH(int, which);
    QFETCH(QString, code);
    QFETCH(QString, how);
    QFETCH(QString, message);
    TestBook book;
    if (which == Chart)
        addAccount(book, "1000", " ", "Bank");
    auto window = openWindow(book, which);
    const int before = count(book, which);
    const int row = window->recordSet().newRowLine();
    const int description = which == Chart ? 2 : 1; // the tax description is column 1 too
    typeInCell(window->grid(), row, description, QStringLiteral("No code"));
    if (!code.isEmpty())
        typeInCell(window->grid(), row, 0, code);
    // The refusal is the only message: Save ends silently, with no "Saved!".
    if (message.startsWith(QLatin1Char('^')))
        book.prompts.expectMatch(message);
    else
        book.prompts.expect(message);
    if (how.isEmpty())
        QTest::keyClick(window->grid(), Qt::Key_Down);
    else
        press(window.get(), how.toLatin1().constData());
    book.prompts.verifyAllShown();
    // Nothing written; the user's row is kept, in edit, under the cursor.
    QVERIFY(window->isVisible());
    QCOMPARE(count(book, which), before);
    QCOMPARE(window->currentRow(), row);
    QCOMPARE(window->recordSet().editRow(), row);
    QCOMPARE(cell(*window, row, description), QStringLiteral("No code"));
    // Corrected, the row is written as the window closes.
    typeInCell(window->grid(), row, 0, QStringLiteral("WH"));
    press(window.get(), "cmdClose");
    QVERIFY(!window->isVisible());
    QCOMPARE(count(book, which), before + 1);
}

void TestGridMasters::deletePositions_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("caption");
    auto row = [](const char* name, int which, int rows, int deleted, const char* current,
                  const char* caption) {
        QTest::newRow(name) << which << rows << deleted << QString(current) << QString(caption);
    };
    // The chart and the tax table re-read the list and stand on its second row.
    row("chart, first of three", Chart, 3, 0, "C", "Account: 2 of 2");
    row("chart, only row", Chart, 1, 0, "", "Account: 0");
    row("tax, first of three", Tax, 3, 0, "C", "Tax Code: 2 of 2");
    row("tax, only row", Tax, 1, 0, "", "Tax Code: 0");
    // Departments (ADMIN, SALES, SERV) stand on the row that followed the deleted one.
    row("departments, middle", Departments, 3, 1, "SERV", "Department: 2 of 2");
    row("departments, first", Departments, 3, 0, "SALES", "Department: 1 of 2");
}

void TestGridMasters::deletePositions() {
    QFETCH(int, which);
    QFETCH(int, rows);
    QFETCH(int, deleted);
    QFETCH(QString, current);
    QFETCH(QString, caption);
    TestBook book;
    const QStringList codes = QStringList{"A", "B", "C"}.mid(0, rows);
    for (const QString& code : codes) {
        if (which == Chart)
            addAccount(book, code, " ", code + QStringLiteral(" account"));
        else if (which == Tax)
            book.sql(QStringLiteral("INSERT INTO tblTaxTable (TaxCode, TaxRate) VALUES (?, 0.07)"),
                     {code});
    }
    auto window = openWindow(book, which);
    QVERIFY(window->moveTo(deleted));
    // No keeps everything.
    book.prompts.expect(QStringLiteral("Are you sure?"), Prompts::Answer::No);
    press(window.get(), "cmdDelete");
    QCOMPARE(count(book, which), rows);
    book.prompts.expect(QStringLiteral("Are you sure?"), Prompts::Answer::Yes);
    press(window.get(), "cmdDelete");
    book.prompts.verifyAllShown();
    QCOMPARE(book.prompts.shown().last().defaultButton, Prompts::Answer::No);
    QCOMPARE(count(book, which), rows - 1);
    QCOMPARE(window->recordSet().recordCount(), rows - 1);
    QCOMPARE(cell(*window, window->currentRow(), 0), current);
    QCOMPARE(::caption(*window), caption);
    if (rows > 1)
        return;
    // Emptied, the blank new-row line is the only row, with nothing on it to save or delete.
    QVERIFY(window->recordSet().isNewRowLine(window->currentRow()));
    const QString none = QStringLiteral("There are no records to delete.");
    book.prompts.expect(QStringLiteral("There is no record to save.")).expect(none);
    press(window.get(), "cmdUpdate");
    press(window.get(), "cmdDelete");
    if (which == Chart) {
        book.prompts.expect(none);
        press(window.get(), "cmdDeleteAll");
    }
    book.prompts.verifyAllShown();
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Information);
    QCOMPARE(count(book, which), 0);
}

void TestGridMasters::deleteAllAndRestoreSample_data() {
    QTest::addColumn<bool>("restore");
    QTest::addColumn<QStringList>("existing"); // code, department, description in turn
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("duplicate");
    const QStringList three{"1000", " ", "Bank", "2000", "", "Wages", "3000", "ADMIN", "Rent"};
    QTest::newRow("Delete All, Yes") << false << three << true << false;
    QTest::newRow("Delete All, No") << false << three << false << false;
    QTest::newRow("Restore into an empty chart") << true << QStringList{} << true << false;
    QTest::newRow("Restore over a sample account")
        << true << QStringList{"6100", "", "Rent"} << true << true;
    QTest::newRow("Restore answered No") << true << QStringList{} << false << false;
}

void TestGridMasters::deleteAllAndRestoreSample() {
    QFETCH(bool, restore);
    QFETCH(QStringList, existing);
    QFETCH(bool, yes);
    QFETCH(bool, duplicate);
    TestBook book;
    addAccountTriples(book, existing);
    const int before = int(existing.size() / 3);
    const int sample =
        book.value(QStringLiteral("SELECT COUNT(*) FROM tblChartOfAccountsSample")).toInt();
    QVERIFY(sample > 0);
    auto window = openWindow(book, Chart);
    const Prompts::Answer answer = yes ? Prompts::Answer::Yes : Prompts::Answer::No;
    if (restore)
        book.prompts.expect(QStringLiteral("This will restore the sample CoA.\r\n\r\nAfter "
                                           "restoring, the form will close.\r\nYou will need to "
                                           "re-open the form to \r\nsee the restored CoA."),
                            answer);
    else
        book.prompts.expect(
            QStringLiteral("This will delete all the records.  \r\n\r\nAre you sure?"), answer);
    if (duplicate)
        book.prompts.expect(QStringLiteral("That would cause duplicate accounts."));
    press(window.get(), restore ? "cmdRestore" : "cmdDeleteAll");
    book.prompts.verifyAllShown();
    const int after = !yes || duplicate ? before : restore ? before + sample : 0;
    QCOMPARE(count(book, Chart), after);
    // The window closes after a restore; it stays open after Delete All, a refusal or a No.
    QCOMPARE(window->isVisible(), !restore || !yes || duplicate);
    if (!restore)
        QCOMPARE(caption(*window), yes ? QStringLiteral("Account: 0") : "Account: 1 of 3");
}

void TestGridMasters::taxRateReadAsPercentage_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown");
    auto row = [](const char* typed, const QVariant& stored, const char* shown) {
        QTest::newRow(*typed ? typed : "cleared") << QString(typed) << stored << QString(shown);
    };
    row("7", 0.07, "7.00%");
    row("7.5", 0.075, "7.50%");
    row("7.00%", 0.07, "7.00%");
    row(" 15 %", 0.15, "15.00%");
    row(".5", 0.005, "0.50%");
    row("", QVariant(), "");
    row("seven", QVariant(), "");
}

void TestGridMasters::taxRateReadAsPercentage() {
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);
    QFETCH(QString, shown);
    TestBook book;
    auto window = openWindow(book, Tax);
    typeInCell(window->grid(), 0, 0, QStringLiteral("GST"));
    if (!stored.isValid() && !typed.isEmpty())
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

void TestGridMasters::lookupButtons_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("choose");
    QTest::addColumn<QStringList>("cells"); // from the button's column on
    QTest::newRow("department chosen") << int(Chart) << true << QStringList{"SALES"};
    QTest::newRow("GL account chosen")
        << int(Tax) << true << QStringList{"2100", "ADMIN", "GST Payable"};
    QTest::newRow("chart closed") << int(Tax) << false << QStringList{"9", "", "Old"};
}

void TestGridMasters::lookupButtons() {
    QFETCH(int, which);
    QFETCH(bool, choose);
    QFETCH(QStringList, cells);
    TestBook book;
    addAccount(book, "2100", which == Chart ? " " : "ADMIN", "GST Payable");
    addGstRow(book, "9", "", "Old");
    auto window = openWindow(book, which);
    const int column = which == Chart ? 1 : 3;
    window->grid()->setCurrentIndex(window->recordSet().index(0, column));
    whenModal([which, choose](QDialog* chooser) {
        QCOMPARE(chooser->objectName(), which == Chart ? QStringLiteral("frmDepartments")
                                                       : QStringLiteral("frmChartOfAccounts"));
        if (choose)
            doubleClickRow(child<GridView>(chooser, QStringLiteral("grdDataGrid")),
                           which == Chart ? 1 : 0);
        else
            chooser->close();
    });
    QTest::keyClick(window->grid(), Qt::Key_Down, Qt::AltModifier);
    QVERIFY(window->isVisible());
    QStringList shown;
    for (int i = 0; i < cells.size(); ++i)
        shown << cell(*window, 0, column + i);
    QCOMPARE(shown, cells);
    QCOMPARE(window->recordSet().isInEdit(), choose);
    book.prompts.verifyAllShown();
}

void TestGridMasters::choosersWriteOnlyTheirOwnStrings_data() {
    QTest::addColumn<QString>("chooser");
    QTest::addColumn<int>("row"); // double-clicked; 100 + row for Enter, -1 for Close
    QTest::addColumn<QStringList>("values");
    const QString k = QStringLiteral("keep");
    QTest::newRow("chart") << "chart" << 0 << QStringList{"1000", " ", "Bank", k, k, k, k};
    QTest::newRow("chart closed") << "chart" << -1 << QStringList{"", "", "", k, k, k, k};
    QTest::newRow("chart, Enter") << "chart" << 100 << QStringList{"1000", " ", "Bank", k, k, k, k};
    QTest::newRow("departments") << "departments" << 1 << QStringList{k, "SALES", k, k, k, k, k};
    QTest::newRow("tax") << "tax" << 0 << QStringList{k, k, k, "GST", "7.00%", "2100", " "};
    QTest::newRow("tax closed") << "tax" << -1 << QStringList{k, k, k, "", "", "", ""};
    QTest::newRow("status") << "status" << 1 << QStringList{"2", k, k, k, k, k, k};
    QTest::newRow("status, Enter") << "status" << 102 << QStringList{"3", k, k, k, k, k, k};
    QTest::newRow("status closed") << "status" << -1 << QStringList{"", k, k, k, k, k, k};
}

void TestGridMasters::choosersWriteOnlyTheirOwnStrings() {
    QFETCH(QString, chooser);
    QFETCH(int, row);
    QFETCH(QStringList, values);
    TestBook book;
    addAccount(book, "1000", " ", "Bank");
    addGstRow(book, "2100", " ", "GST Payable");
    for (int n = 1; n <= 7; ++n)
        book.lookup.value(n) = QStringLiteral("keep");
    whenModal([row, chooser](QDialog* window) {
        auto* grid = child<QAbstractItemView>(
            window, chooser == QLatin1String("status") ? "DataGrid1" : "grdDataGrid");
        if (row < 0) {
            press(window, "cmdClose");
        } else if (row >= 100) {
            grid->setCurrentIndex(grid->model()->index(row - 100, 0));
            QTest::keyClick(grid, Qt::Key_Return);
        } else {
            doubleClickRow(grid, row);
        }
    });
    const QHash<QString, bool (*)(Services&, QWidget*)> lookups{
        {"chart", lookupChartOfAccounts},
        {"departments", lookupDepartment},
        {"tax", lookupTaxCode},
        {"status", lookupTransactionStatus}};
    QCOMPARE(lookups.value(chooser)(book.services, nullptr), row >= 0);
    QStringList got;
    for (int n = 1; n <= 7; ++n)
        got << book.lookup.value(n);
    QCOMPARE(got, values);
    QVERIFY(!book.busy.isBusy());
    book.prompts.verifyAllShown();
}

QTEST_MAIN(TestGridMasters)
#include "tst_gridmasters.moc"
