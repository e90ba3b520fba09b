// The chart of accounts, departments and tax table windows, driven as a user drives them;
// the choosers every lookup opens; the read-only code lists.

#include "masterstesting.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include "data/messages.h"
#include "masters/chartofaccountswindow.h"
#include "masters/codelistwindow.h"
#include "masters/departmentswindow.h"
#include "masters/gridnavigatorbar.h"
#include "masters/gridview.h"
#include "masters/lookups.h"
#include "masters/partykind.h"
#include "masters/partywindow.h"
#include "masters/taxtablewindow.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace {

enum Which { Chart, Departments, Tax };
const char* const kTables[] = {"tblChartOfAccounts", "tblDepartments", "tblTaxTable"};

// The second of two customers or vendors the lookups are shown.
const QStringList kPens{"P2", "Pens Ltd", "2 Ink Street", "Suite 4", "", "", "IN2 2BB"};

// A lookup whose choice reads as the list of its fields, nothing chosen as no list.
QStringList fields(const QString& c) {
    return {c};
}
QStringList fields(const AccountChoice& c) {
    return {c.code, c.dept, c.description};
}
QStringList fields(const TaxChoice& c) {
    return {c.code, c.shownRate, c.account, c.dept};
}
QStringList fields(const PartyChoice& c) {
    return {c.code, c.name, c.address[0], c.address[1], c.address[2], c.address[3], c.postalCode};
}
template <typename Lookup>
std::function<std::optional<QStringList>(Services&)> listed(Lookup lookup) {
    return [lookup](Services& services) -> std::optional<QStringList> {
        const auto chosen = lookup(services, nullptr);
        return chosen ? std::optional(fields(*chosen)) : std::nullopt;
    };
}

// The window shown and active, its record set checked by the model tester throughout.
std::unique_ptr<GridMaintenanceWindow> openWindow(TestBook& book, int which) {
    std::unique_ptr<GridMaintenanceWindow> window;
    if (which == Chart)
        window = std::make_unique<ChartOfAccountsWindow>(book.services);
    else if (which == Departments)
        window = std::make_unique<DepartmentsWindow>(book.services);
    else
        window = std::make_unique<TaxTableWindow>(book.services);
    new QAbstractItemModelTester(
        &window->recordSet(), QAbstractItemModelTester::FailureReportingMode::QtTest, window.get());
    showActive(window.get());
    return window;
}

int count(TestBook& book, int which) {
    return book.value(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(kTables[which]))
        .toInt();
}

QString cell(GridMaintenanceWindow& window, int row, int column) {
    return window.recordSet().text(row, column);
}

void addGstRow(TestBook& book, const QString& glCode, const QString& glDept) {
    book.sql(QStringLiteral("INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate, "
                            "GLAccountCode, GLAccountDept, GLAccountDesc) VALUES "
                            "('GST', 'Goods and services', 0.07, ?, ?, 'Old')"),
             {glCode, glDept});
}

const QString kDuplicate = QStringLiteral("^The changes you requested to the table were not "
                                          "successful because they would create duplicate");

} // namespace

class TestGridMasters : public QObject {
    Q_OBJECT
private slots:
    void typedCells_data() {
        columns<int, int, QString, QVariant>("which", "column", "typed", "stored");
        auto row = [](const char* name, int which, int column, const char* typed, QVariant stored) {
            QTest::newRow(name) << which << column << QString(typed) << stored;
        };
        row("account code of 7", Chart, 0, "abcdefg", "ABCDEF");
        row("account code of 6", Chart, 0, "abcdef", "abcdef");
        row("account code, blanks trimmed before the cut", Chart, 0, "  abcdefg ", "ABCDEF");
        row("account dept of 9", Chart, 1, "salesdept", "SALESD");
        row("account dept of blanks is none", Chart, 1, "   ", "");
        row("department of 8", Departments, 0, "abcdefgh", "ABCDEF");
        row("tax code is not cut", Tax, 0, " abcdefgh", "abcdefgh");
        row("tax GL dept of a blank stays empty", Tax, 4, " ", QVariant());
        row("rate 7.5", Tax, 2, "7.5", 0.075);
        row("rate 7.00%", Tax, 2, "7.00%", 0.07);
        row("rate  15 %", Tax, 2, " 15 %", 0.15);
        row("rate .5", Tax, 2, ".5", 0.005);
        row("rate cleared", Tax, 2, "", QVariant());
        row("rate seven", Tax, 2, "seven", QVariant());
    }

    void typedCells() {
        auto [which, column, typed, stored] =
            fetch<int, int, QString, QVariant>("which", "column", "typed", "stored");
        TestBook book;
        auto window = openWindow(book, which);
        const int row = window->recordSet().newRowLine();
        if (column != 0)
            typeInCell(window->grid(), row, 0, QStringLiteral("9999"));
        if (column == 2 && !stored.isValid() && !typed.isEmpty())
            book.prompts.expect(Messages::notAPercentage(QStringLiteral("Tax Rate")));
        typeInCell(window->grid(), row, column, typed);
        book.prompts.expect(Messages::recordSaved());
        press(window.get(), "cmdUpdate");
        book.prompts.verifyAllShown();
        const QString field = window->recordSet().columns().at(column).field;
        const QVariant value =
            book.value(QStringLiteral("SELECT %1 FROM %2").arg(field, kTables[which]));
        QCOMPARE(value.isNull(), !stored.isValid());
        QCOMPARE(value.toString(), stored.toString());
    }

    void newAccountGetsDefaults() {
        TestBook book;
        addAccount(book, "1000", "", "Bank");
        auto window = openWindow(book, Chart);
        // Opened for upkeep rather than to choose, Enter hands nothing over.
        QTest::keyClick(window->grid(), Qt::Key_Return);
        QVERIFY(window->isVisible());
        // Add goes to the new-row line below the last row; typing there makes a second record.
        press(window.get(), "cmdAdd");
        QVERIFY(window->recordSet().isNewRowLine(window->currentRow()));
        QCOMPARE(window->navigator()->caption(), QStringLiteral("Account: 1 of 1"));
        // A code typed with its cell still open when Save is clicked is taken and cut.
        window->grid()->edit(window->grid()->currentIndex());
        QTest::keyClicks(child<QLineEdit>(window->grid()->viewport(), QString()), "abcdefgh");
        book.prompts.expect(Messages::recordSaved());
        child<QPushButton>(window.get(), QStringLiteral("cmdUpdate"))->click();
        QVERIFY(!window->recordSet().isInEdit());
        QCOMPARE(window->navigator()->caption(), QStringLiteral("Account: 2 of 2"));
        // No department is the empty text, as in the sample chart and the import.
        QCOMPARE(book.value("SELECT group_concat(AccountCode || '/' || DeptCode || '/' || "
                            "AccountDescription, char(10)) FROM tblChartOfAccounts")
                     .toString(),
                 QStringLiteral("1000//Bank\nABCDEF//Need to enter desc"));
        // A described account keeps its description when its code changes.
        typeInCell(window->grid(), 0, 0, QStringLiteral("6100"));
        QCOMPARE(cell(*window, 0, 2), QStringLiteral("Bank"));
        book.prompts.verifyAllShown();
    }

    void rowRefused_data() {
        // code: typed after the description
        // dept: typed after the code, when not null
        // how: the button pressed, or "" for leaving the row
        columns<int, QString, QString, QString, QString>("which", "code", "dept", "how", "message");
        auto row = [](const char* name, int which, const char* code, const char* dept,
                      const char* how, const QString& message) {
            QTest::newRow(name) << which << QString(code) << (dept ? QString(dept) : QString())
                                << QString(how) << message;
        };
        row("account without code, Save", Chart, "", nullptr, "cmdUpdate",
            Messages::accountCodeRequired());
        row("account code of blanks, leaving", Chart, "  ", nullptr, "",
            Messages::accountCodeRequired());
        row("department of blanks, Close", Departments, " ", nullptr, "cmdClose",
            Messages::departmentCodeRequired());
        // The tax table has no rules of its own: the book refuses a row without its key.
        row("tax without code, leaving", Tax, "", nullptr, "",
            "Index or primary key cannot contain a Null value.");
        // Account 1000 exists with no department.
        row("same account, no department, leaving", Chart, "1000", nullptr, "", kDuplicate);
        row("same account, blank department, leaving", Chart, "1000", "  ", "", kDuplicate);
        row("same account, blank department, Save", Chart, "1000", " ", "cmdUpdate",
            "^An error has occurred\\.\r\n\r\nError Number: -2147467259\r\n[\\s\\S]*\r\nForm: "
            "frmChartOfAccounts\r\nRoutine: cmdUpdate$");
    }

    void rowRefused() {
        auto [which, code, dept, how, message] = fetch<int, QString, QString, QString, QString>(
            "which", "code", "dept", "how", "message");
        TestBook book;
        if (which == Chart)
            addAccount(book, "1000", "", "Bank");
        auto window = openWindow(book, which);
        const int before = count(book, which);
        const int row = window->recordSet().newRowLine();
        const int description = which == Chart ? 2 : 1;
        typeInCell(window->grid(), row, description, QStringLiteral("No code"));
        if (!code.isEmpty())
            typeInCell(window->grid(), row, 0, code);
        if (!dept.isNull())
            typeInCell(window->grid(), row, 1, dept);
        // The refusal is the only message: Save ends with no "Saved!".
        book.prompts.expectBox(message);
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

    void deletePositions_data() {
        columns<int, int, QString, QString>("which", "deleted", "current", "caption");
        // The chart and the tax table (A, B, C) re-read the list and stand on its second row.
        addRow("tax, first", int(Tax), 0, "C", "Tax Code: 2 of 2");
        // Departments (ADMIN, SALES, SERV) stand on the row that followed the deleted one.
        addRow("departments, middle", int(Departments), 1, "SERV", "Department: 2 of 2");
    }

    void deletePositions() {
        auto [which, deleted, current, caption] =
            fetch<int, int, QString, QString>("which", "deleted", "current", "caption");
        TestBook book;
        book.sql("INSERT INTO tblTaxTable (TaxCode, TaxRate) VALUES ('A', 1), ('B', 1), ('C', 1)");
        auto window = openWindow(book, which);
        QVERIFY(window->moveTo(deleted));
        book.prompts.expect(Messages::confirmDelete(), Prompts::Answer::No)
            .expect(Messages::confirmDelete(), Prompts::Answer::Yes);
        press(window.get(), "cmdDelete");
        QCOMPARE(count(book, which), 3);
        press(window.get(), "cmdDelete");
        QCOMPARE(book.prompts.shown().last().defaultButton, Prompts::Answer::No);
        QCOMPARE(count(book, which), 2);
        QCOMPARE(cell(*window, window->currentRow(), 0), current);
        QCOMPARE(window->navigator()->caption(), caption);
        book.prompts.verifyAllShown();
    }

    void deleteAllAndRestoreSample_data() {
        // existing: an account already in the chart
        columns<bool, QString, bool>("restore", "existing", "yes");
        addRow("Delete All, Yes", false, "1000", true);
        addRow("Delete All, No", false, "1000", false);
        addRow("Restore into an empty chart", true, "", true);
        addRow("Restore over a sample account", true, "6100", true);
        addRow("Restore answered No", true, "", false);
    }

    void deleteAllAndRestoreSample() {
        auto [restore, existing, yes] = fetch<bool, QString, bool>("restore", "existing", "yes");
        TestBook book;
        if (!existing.isEmpty())
            addAccount(book, existing, "", "Existing");
        const int before = count(book, Chart);
        const int sample =
            book.value(QStringLiteral("SELECT COUNT(*) FROM tblChartOfAccountsSample")).toInt();
        const bool duplicate = restore && !existing.isEmpty();
        auto window = openWindow(book, Chart);
        book.prompts.expect(restore ? Messages::confirmRestoreSampleChart()
                                    : Messages::confirmDeleteAllAccounts(),
                            yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        if (duplicate)
            book.prompts.expect(Messages::sampleChartWouldDuplicate());
        press(window.get(), restore ? "cmdRestore" : "cmdDeleteAll");
        book.prompts.verifyAllShown();
        QCOMPARE(count(book, Chart), !yes || duplicate ? before : restore ? sample : 0);
        // The window closes after a restore; it stays open after Delete All, a refusal or a No.
        QCOMPARE(window->isVisible(), !restore || !yes || duplicate);
        if (!restore)
            QCOMPARE(window->navigator()->caption(),
                     yes ? QStringLiteral("Account: 0") : "Account: 1 of 1");
        if (!restore && yes) {
            // Emptied, the blank new-row line is the only row, with nothing to save or delete.
            QVERIFY(window->recordSet().isNewRowLine(window->currentRow()));
            book.prompts.expect(Messages::noRecordToSave())
                .expect(Messages::noRecordsToDelete())
                .expect(Messages::noRecordsToDelete());
            for (const char* button : {"cmdUpdate", "cmdDelete", "cmdDeleteAll"})
                press(window.get(), button);
            book.prompts.verifyAllShown();
        }
    }

    void lookupButtons_data() {
        // cells: from the button's column on
        columns<int, bool, QStringList>("which", "choose", "cells");
        addRow("department chosen", int(Chart), true, QStringList{"SALES"});
        addRow("GL account chosen", int(Tax), true, QStringList{"2100", "ADMIN", "GST Payable"});
        addRow("chart closed", int(Tax), false, QStringList{"9", "", "Old"});
    }

    void lookupButtons() {
        auto [which, choose, cells] = fetch<int, bool, QStringList>("which", "choose", "cells");
        TestBook book;
        addAccount(book, "2100", which == Chart ? "" : "ADMIN", "GST Payable");
        addGstRow(book, "9", "");
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
        QStringList shown;
        for (int i = 0; i < cells.size(); ++i)
            shown << cell(*window, 0, column + i);
        QCOMPARE(shown, cells);
        QCOMPARE(window->recordSet().isInEdit(), choose);
        // The window is active again with the keys in its grid.
        QTRY_COMPARE(QApplication::activeWindow(), window.get());
        QCOMPARE(QApplication::focusWidget(), window->grid());
        book.prompts.verifyAllShown();
    }

    void choosersHandBackTheirChoice_data() {
        // how: the row, or customer's field, double-clicked; + 100 Enter on it, + 200 keypad
        // Enter; -1 Close, -2 the close box.
        columns<QString, int, QStringList>("chooser", "how", "values");
        auto row = [](const char* name, const char* chooser, int how, const QStringList& values) {
            QTest::newRow(name) << QString(chooser) << how << values;
        };
        // Departments come back as stored, even a blank one a book has not yet converted.
        row("chart", "chart", 0, {"1000", " ", "Bank"});
        row("chart closed", "chart", -1, {});
        row("chart, Enter", "chart", 101, {"2100", "", "GST"});
        row("departments", "departments", 1, {"SALES"});
        row("tax", "tax", 0, {"GST", "7.00%", "2100", ""});
        row("tax closed", "tax", -1, {});
        row("status", "status", 1, {"2"});
        row("status, Enter", "status", 102, {"3"});
        row("status closed", "status", -1, {});
        // The customer or vendor shown is handed back whole, from any field; closed, nothing.
        row("vendor, double-click postal code", "vendors", 6, kPens);
        row("customer, Return in the number", "customers", 100, kPens);
        row("vendor, keypad Enter in the name", "vendors", 201, kPens);
        row("customers, Close", "customers", -1, {});
        row("vendors, close box", "vendors", -2, {});
    }

    void choosersHandBackTheirChoice() {
        auto [chooser, how, values] = fetch<QString, int, QStringList>("chooser", "how", "values");
        TestBook book;
        addAccount(book, "1000", " ", "Bank");
        addAccount(book, "2100", "", "GST");
        addGstRow(book, "2100", "");
        for (const PartyKind* kind : {&PartyKind::customers(), &PartyKind::vendors()})
            storeParties(book, *kind, {{"P1", "Paper Mill", "1 Mill Lane"}, kPens});
        book.busy.set();
        whenModal([how](QDialog* window) {
            auto* party = qobject_cast<PartyWindow*>(window);
            auto* grid =
                party ? nullptr
                      : child<QAbstractItemView>(
                            window, window->objectName() == QLatin1String("frmTransactionStatus")
                                        ? "DataGrid1"
                                        : "grdDataGrid");
            if (party)
                press(party, "navNext");
            if (how == -1) {
                press(window, "cmdClose");
            } else if (how == -2) {
                window->close();
            } else if (how < 100 && party) {
                QTest::mouseDClick(party->field(how), Qt::LeftButton, {}, QPoint(3, 3));
            } else if (how < 100) {
                doubleClickRow(grid, how);
            } else {
                QWidget* target = party ? static_cast<QWidget*>(party->field(how % 100)) : grid;
                if (grid)
                    grid->setCurrentIndex(grid->model()->index(how % 100, 0));
                target->setFocus();
                QTest::keyClick(target, how >= 200 ? Qt::Key_Enter : Qt::Key_Return,
                                how >= 200 ? Qt::KeypadModifier : Qt::NoModifier);
            }
        });
        const QHash<QString, std::function<std::optional<QStringList>(Services&)>> lookups{
            {"chart", listed(lookupChartOfAccounts)}, {"departments", listed(lookupDepartment)},
            {"tax", listed(lookupTaxCode)},           {"status", listed(lookupTransactionStatus)},
            {"customers", listed(lookupCustomer)},    {"vendors", listed(lookupVendor)}};
        const std::optional<QStringList> got = lookups.value(chooser)(book.services);
        QCOMPARE(got.has_value(), how >= 0);
        QCOMPARE(got.value_or(QStringList()), values);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!book.busy.isBusy());
        book.prompts.verifyAllShown();
    }

    void listsAreReadOnly_data() {
        columns<int, QString>("list", "table");
        addRow("types", int(CodeListWindow::List::TransactionTypes), "tblTransactionType");
        addRow("statuses", int(CodeListWindow::List::TransactionStatuses), "tblTransactionStatus");
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
};

QTEST_MAIN(TestGridMasters)
#include "tst_gridmasters.moc"
