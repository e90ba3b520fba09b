// The find dialog and the caller protocol: filling, type-ahead, choosing and cancelling,
// and finding the chosen value in the caller's records.

#include "masterstesting.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include "data/messages.h"
#include "kit/navigatorbar.h"
#include "masters/chartofaccountswindow.h"
#include "masters/finddialog.h"
#include "masters/findincaller.h"
#include "masters/findlistmodel.h"
#include "masters/gridnavigatorbar.h"
#include "masters/gridview.h"
#include "masters/lookups.h"
#include "masters/partykind.h"
#include "masters/partywindow.h"

#include <QLineEdit>
#include <QListView>
#include <QtTest>
#include <algorithm>
#include <memory>

namespace {

// A list table whose rows come back in the order given (by n), or in the order of v, which
// compares without case as the book's text columns do.
void makeList(TestBook& book, const QStringList& entries) {
    book.sql(QStringLiteral("CREATE TABLE tmpList (n INTEGER, v TEXT COLLATE NOCASE)"));
    for (int i = 0; i < entries.size(); ++i)
        book.sql(QStringLiteral("INSERT INTO tmpList (n, v) VALUES (?, ?)"), {i, entries.at(i)});
}

const QString kListQuery = QStringLiteral("SELECT v FROM tmpList ORDER BY n");
// The program's form: read by key in pages.
const QString kKeyedQuery = QStringLiteral("SELECT v FROM tmpList ORDER BY v");

QListView* list(QWidget* dialog) {
    return child<QListView>(dialog, QStringLiteral("List1"));
}

QLineEdit* findEdit(QWidget* dialog) {
    return child<QLineEdit>(dialog, QStringLiteral("txtFind"));
}

QStringList listed(QWidget* dialog, const QList<int>& rows) {
    QStringList texts;
    const QAbstractItemModel* model = list(dialog)->model();
    for (int row : rows)
        texts << model->index(row, 0).data().toString();
    return texts;
}

QList<int> range(int from, int to) {
    QList<int> rows;
    for (int row = from; from <= to ? row <= to : row >= to; row += from <= to ? 1 : -1)
        rows << row;
    return rows;
}

// Longer than two pages: K000 to K599 stored newest first, K300 in lower case, and K255
// four times so that its copies stand across the first page boundary (256).
constexpr int kLongCount = 603;

void makeLongList(TestBook& book, bool withNull) {
    book.sql("CREATE TABLE tmpNames (v TEXT COLLATE NOCASE)");
    book.sql("WITH RECURSIVE n(i) AS (SELECT 599 UNION ALL SELECT i - 1 FROM n WHERE i > 0) "
             "INSERT INTO tmpNames SELECT IIF(i = 300, 'k300', printf('K%03d', i)) FROM n, "
             "(SELECT 1 AS c UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4) "
             "WHERE c = 1 OR i = 255");
    if (withNull)
        book.sql("INSERT INTO tmpNames (v) VALUES (NULL)");
}

// The entry at a row of the long list.
QString longEntry(int row) {
    const int number = row <= 258 ? std::min(row, 255) : row - 3;
    const QString name = QStringLiteral("K%1").arg(number, 3, 10, QLatin1Char('0'));
    return number == 300 ? name.toLower() : name;
}

// The entries at rows of the long list, which a null can head.
QStringList longEntries(const QList<int>& rows, bool withNull = false) {
    QStringList entries;
    for (int row : rows)
        entries << (!withNull ? longEntry(row) : row == 0 ? QString() : longEntry(row - 1));
    return entries;
}

} // namespace

class TestFindDialog : public QObject {
    Q_OBJECT
private slots:
    void typeAhead_data() {
        columns<QStringList, QString, QString, QString>("entries", "selectedFirst", "typed",
                                                        "expected");
        // Lists in case-insensitive order are tried both read by key and read whole; the search
        // starts at the second entry and wraps.
        const QStringList abc{"AB", "ABC", "B1"};
        addRow("starts at the second entry", abc, "", "AB", "ABC");
        addRow("wraps to the first entry", QStringList{"AB", "B1"}, "", "AB", "AB");
        addRow("no match keeps the selection", abc, "B1", "X", "B1");
        addRow("past the middle, any case", QStringList{"A", "B", "C", "D", "E", "F", "G"}, "", "f",
               "F");
        addRow("unordered: wraps", QStringList{"abc", "zz", "yy"}, "", "AB", "abc");
        addRow("apostrophe", QStringList{"Owner's Capital", "Owners"}, "", "owner'",
               "Owner's Capital");
        addRow("mixed case in order", QStringList{"apple", "Apricot", "avocado", "Banana"}, "",
               "AP", "Apricot");
    }

    void typeAhead() {
        auto [entries, selectedFirst, typed, expected] =
            fetch<QStringList, QString, QString, QString>("entries", "selectedFirst", "typed",
                                                          "expected");
        TestBook book;
        makeList(book, entries);
        const bool ordered = std::is_sorted(entries.cbegin(), entries.cend(),
                                            [](const QString& a, const QString& b) {
                                                return a.compare(b, Qt::CaseInsensitive) < 0;
                                            });
        for (const QString& query :
             ordered ? QStringList{kKeyedQuery, kListQuery} : QStringList{kListQuery}) {
            FindDialog dialog(book.services);
            dialog.setRecordSource(query);
            dialog.show();
            QListView* view = list(&dialog);
            QCOMPARE(listed(&dialog, range(0, int(entries.size()) - 1)), entries);
            if (!selectedFirst.isEmpty())
                view->setCurrentIndex(view->model()->index(int(entries.indexOf(selectedFirst)), 0));
            QTest::keyClicks(findEdit(&dialog), typed);
            const QModelIndexList selected = view->selectionModel()->selectedIndexes();
            QCOMPARE(selected.size(), 1);
            QCOMPARE(selected.first().data().toString(), expected);
            // Typing never filters the list.
            QCOMPARE(view->model()->rowCount(), entries.size());
        }
        book.prompts.verifyAllShown();
    }

    // Every row of a list longer than a page, whichever way the view reaches it: page after
    // page from either end, out from the middle, or by jumps of the scroll bar.
    void longListReadInPages_data() {
        // quoted: the query writes its names double-quoted, as the program's own queries do.
        columns<QList<int>, bool, bool>("rows", "withNull", "quoted");
        const int last = kLongCount - 1;
        addRow("from the first", range(0, last), false, false);
        addRow("from the last", range(last, 0), false, false);
        addRow("from the middle out", range(400, last) + range(399, 0), false, false);
        addRow("jumps", QList<int>{300, 10, last - 2, 256, 255, 513, 511, 512}, false, false);
        addRow("a null first, from the last", range(last + 1, 0), true, false);
        addRow("a null first, jumps", QList<int>{300, 0, last + 1, 257, 1}, true, false);
        addRow("names quoted, jumps", QList<int>{300, 10, last - 2, 256, 255, 513}, false, true);
    }

    void longListReadInPages() {
        auto [rows, withNull, quoted] = fetch<QList<int>, bool, bool>("rows", "withNull", "quoted");
        TestBook book;
        makeLongList(book, withNull);
        FindDialog dialog(book.services);
        dialog.setRecordSource(quoted ? QStringLiteral(R"(SELECT "v" FROM "tmpNames" ORDER BY "v")")
                                      : QStringLiteral("SELECT v FROM tmpNames ORDER BY v"));
        dialog.show();
        // Read by key in pages, never whole.
        QVERIFY(qobject_cast<FindListModel*>(list(&dialog)->model())->isKeyed());
        QCOMPARE(dialog.entryCount(), kLongCount + (withNull ? 1 : 0));
        QCOMPARE(listed(&dialog, rows), longEntries(rows, withNull));
    }

    void longListTypeAhead_data() {
        // row: -1: nothing selected
        columns<QString, int>("typed", "row");
        addRow("the first, wrapping", "K000", 0);
        addRow("the second when the first matches too", "k0", 1);
        addRow("the last", "k599", kLongCount - 1);
        addRow("into the middle, any case", "K3", 303);
        addRow("on the third page", "K52", 523);
        addRow("duplicates across a page boundary", "k255", 255);
        addRow("after the duplicates", "K256", 259);
        // A step that matches nothing keeps the row the last one selected.
        addRow("no match keeps the selection", "K25x", 250);
        addRow("past the last", "L", -1);
    }

    void longListTypeAhead() {
        auto [typed, row] = fetch<QString, int>("typed", "row");
        TestBook book;
        makeLongList(book, false);
        FindDialog dialog(book.services);
        dialog.setRecordSource(QStringLiteral("SELECT v FROM tmpNames ORDER BY v"));
        dialog.show();
        QTest::keyClicks(findEdit(&dialog), typed);
        QListView* view = list(&dialog);
        QCOMPARE(view->currentIndex().row(), row);
        if (row < 0)
            return;
        QCOMPARE(view->currentIndex().data().toString(), longEntry(row));
        // The rows around it read on from where it was found.
        const QList<int> around = range(std::max(0, row - 5), std::min(kLongCount - 1, row + 5));
        QCOMPARE(listed(&dialog, around), longEntries(around));
        // Down in the box moves on through the list, across the page boundary too.
        QTest::keyClick(findEdit(&dialog), Qt::Key_Down);
        QCOMPARE(view->currentIndex().row(), std::min(row + 1, kLongCount - 1));
        QTest::keyClick(findEdit(&dialog), Qt::Key_Return);
        QCOMPARE(dialog.chosen(), longEntry(std::min(row + 1, kLongCount - 1)));
    }

    void fillsFromQueryOnce() {
        TestBook book;
        FindDialog dialog(book.services);
        // Values of every storage class are listed as the driver gives them as text, a null as
        // the empty text, in the query's order.
        dialog.setRecordSource(QStringLiteral(
            "SELECT 'Rent' UNION ALL SELECT NULL UNION ALL SELECT -42 UNION ALL SELECT 5.0 "
            "UNION ALL SELECT 0.07 UNION ALL SELECT 'Caf\u00e9 \u20ac' UNION ALL SELECT "
            "x'414243'"));
        dialog.show();
        QVERIFY(list(&dialog)->isEnabled());
        QCOMPARE(listed(&dialog, range(0, 6)),
                 (QStringList{"Rent", "", "-42", "5", "0.07", "Caf\u00e9 \u20ac", "ABC"}));
        // Filled once per dialog: a second showing adds nothing.
        dialog.hide();
        dialog.show();
        QCOMPARE(list(&dialog)->model()->rowCount(), 7);
        QVERIFY(!book.busy.isBusy());
        // An empty result leaves only Cancel, read by key or whole.
        for (const char* query :
             {"SELECT 1 WHERE 0", "SELECT AccountDescription FROM "
                                  "tblChartOfAccounts ORDER BY AccountDescription"}) {
            FindDialog empty(book.services);
            empty.setRecordSource(QString::fromLatin1(query));
            empty.show();
            QVERIFY(!list(&empty)->isEnabled());
            QCOMPARE(empty.entryCount(), 0);
        }
    }

    void failingQueryGoesToTheCaller() {
        TestBook book;
        for (const char* query : {"SELECT Nothing FROM tblNowhere ORDER BY Nothing",
                                  "SELECT Nothing FROM tblNowhere ORDER BY Other"}) {
            QVERIFY_THROWS_EXCEPTION(Failure, findValue(book.services, nullptr, QStringLiteral("x"),
                                                        QString::fromLatin1(query)));
            QVERIFY(!book.busy.isBusy());
        }
    }

    // The caller's protocol through the chart and the customers and vendors windows: the value
    // chosen is found among the window's records, and a cancelled find leaves the window where
    // it was with no result.
    void findsInCaller_data() {
        // which: 0 customers, 1 vendors, 2 the chart
        // how: 0 Return, 1 double-click, 2 Esc, 3 Cancel
        // focus: the field searched by, -1 the grid
        // missing: the entry chosen is not among the window's records: an account written after
        // the chart read its rows, a customer deleted while the find is open. The window shows
        // its last.
        columns<int, QString, QString, int, QString, QString, int, bool>(
            "which", "button", "typed", "how", "chosen", "caption", "focus", "missing");
        auto row = [](const char* name, int which, const char* button, const char* typed, int how,
                      const char* chosen, const char* caption, int focus, bool missing = false) {
            addRow(name, which, button, typed, how, chosen, caption, focus, missing);
        };
        row("chart, apostrophe", 2, "cmdFindByDesc", "owner'", 0, "Owner's Capital",
            "Account: 3 of 4", -1);
        row("chart, double-click", 2, "cmdFindByDesc", "rent", 1, "Rent", "Account: 4 of 4", -1);
        row("chart, Esc", 2, "cmdFindByDesc", "rent", 2, "", "Account: 1 of 4", -1);
        row("chart, Cancel", 2, "cmdFindByDesc", "rent", 3, "", "Account: 1 of 4", -1);
        row("chart, not found", 2, "cmdFindByDesc", "al's", 0, "Al's Cafe", "Account: 4 of 4", -1,
            true);
        row("customer gone", 0, "cmdFind", "adams", 0, "Adams", "Customer: 5 of 5", 1, true);
        row("customer by name, apostrophe", 0, "cmdFind", "o'b", 0, "O'Brien's", "Customer: 3 of 5",
            1);
        // The first Smith in number order is found.
        row("vendor by name", 1, "cmdFindByVendorName", "smith", 0, "Smith", "Vendor: 2 of 5", 1);
        row("vendor by number, apostrophe", 1, "cmdFindByVendorID", "d'", 0, "D'4",
            "Vendor: 5 of 5", 0);
    }

    void findsInCaller() {
        auto [which, button, typed, how, chosen, caption, focus, missing] =
            fetch<int, QString, QString, int, QString, QString, int, bool>(
                "which", "button", "typed", "how", "chosen", "caption", "focus", "missing");
        TestBook book;
        const QStringList descriptions{"Bank", "Wages", "Owner's Capital", "Rent"};
        for (int i = 0; i < descriptions.size(); ++i)
            addAccount(book, QString::number((i + 1) * 1000), "", descriptions.at(i));
        const PartyKind& kind = which == 0 ? PartyKind::customers() : PartyKind::vendors();
        storeParties(book, kind,
                     {{"C1", "Adams"},
                      {"C2", "Smith"},
                      {"C3", "O'Brien's"},
                      {"C4", "Smith"},
                      {"D'4", "Quote"}});
        std::unique_ptr<QDialog> window;
        if (which == 2)
            window = std::make_unique<ChartOfAccountsWindow>(book.services);
        else
            window = std::make_unique<PartyWindow>(book.services, kind);
        QVERIFY(showActive(window.get()));
        if (missing && which == 2)
            addAccount(book, "0500", "", chosen);
        if (missing)
            book.prompts.expect(Messages::notFound(
                (which == 2 ? QStringLiteral("Account Description") : kind.noun) + ' ', chosen));
        whenModal([&](QDialog* dialog) {
            QTest::keyClicks(findEdit(dialog), typed);
            if (missing && which != 2)
                book.sql(QStringLiteral("DELETE FROM %1 WHERE %2 = 'C1'")
                             .arg(kind.table, kind.numberColumn()));
            if (how == 0)
                QTest::keyClick(findEdit(dialog), Qt::Key_Return);
            else if (how == 1)
                doubleClickRow(list(dialog), list(dialog)->currentIndex().row());
            else if (how == 2)
                QTest::keyClick(findEdit(dialog), Qt::Key_Escape);
            else
                press(dialog, "cmdCancel");
        });
        press(window.get(), qPrintable(button));
        auto* party = qobject_cast<PartyWindow*>(window.get());
        auto* chart = qobject_cast<ChartOfAccountsWindow*>(window.get());
        QCOMPARE(party ? party->navigatorBar()->caption() : chart->navigator()->caption(), caption);
        // The window is active again with the keys in the field searched by.
        QTRY_COMPARE(QApplication::activeWindow(), window.get());
        QCOMPARE(QApplication::focusWidget(),
                 party ? static_cast<QWidget*>(party->field(focus)) : chart->grid());
        book.prompts.verifyAllShown();
    }
};

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
