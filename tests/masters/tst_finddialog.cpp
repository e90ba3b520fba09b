// The find dialog and the caller protocol: filling, type-ahead, choosing and cancelling,
// and finding the chosen value in the caller's records.

#include "masterstesting.h"
#include "support/testbook.h"

#include "data/messages.h"
#include "masters/chartofaccountswindow.h"
#include "masters/finddialog.h"
#include "masters/findincaller.h"
#include "masters/gridnavigatorbar.h"
#include "masters/gridview.h"
#include "masters/lookups.h"
#include "masters/partykind.h"
#include "masters/partywindow.h"
#include "kit/navigatorbar.h"

#include <QLineEdit>
#include <QListView>
#include <QtTest>
#include <memory>

namespace {

// A list table whose rows come back in the order given.
void makeList(TestBook& book, const QStringList& entries) {
    book.sql(QStringLiteral("CREATE TABLE tmpList (n INTEGER, v TEXT)"));
    for (int i = 0; i < entries.size(); ++i)
        book.sql(QStringLiteral("INSERT INTO tmpList (n, v) VALUES (?, ?)"), {i, entries.at(i)});
}

const QString kListQuery = QStringLiteral("SELECT v FROM tmpList ORDER BY n");

QListView* list(QWidget* dialog) {
    return child<QListView>(dialog, QStringLiteral("List1"));
}

QLineEdit* findEdit(QWidget* dialog) {
    return child<QLineEdit>(dialog, QStringLiteral("txtFind"));
}

} // namespace

class TestFindDialog : public QObject {
    Q_OBJECT
private slots:
    void typeAhead_data();
    void typeAhead();
    void fillsFromQueryOnce();
    void failingQueryGoesToTheCaller();
    void findsInCaller_data();
    void findsInCaller();
};

void TestFindDialog::typeAhead_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("selectedFirst");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const QStringList& entries, const char* selectedFirst,
                  const char* typed, const char* expected) {
        QTest::newRow(name) << entries << QString(selectedFirst) << QString(typed)
                            << QString(expected);
    };
    // In case-insensitive order (searched by halves) and out of it (searched in turn); the
    // search starts after the selected entry and wraps.
    const QStringList abc{"AB", "ABC", "B1"};
    row("starts at the second entry", abc, "", "AB", "ABC");
    row("wraps to the first entry", {"AB", "B1"}, "", "AB", "AB");
    row("no match keeps the selection", abc, "B1", "X", "B1");
    row("past the middle, any case", {"A", "B", "C", "D", "E", "F", "G"}, "", "f", "F");
    row("unordered: wraps", {"abc", "zz", "yy"}, "", "AB", "abc");
    row("apostrophe", {"Owner's Capital", "Owners"}, "", "owner'", "Owner's Capital");
}

void TestFindDialog::typeAhead() {
    QFETCH(QStringList, entries);
    QFETCH(QString, selectedFirst);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    TestBook book;
    makeList(book, entries);
    FindDialog dialog(book.services);
    dialog.setRecordSource(kListQuery);
    dialog.show();
    QListView* view = list(&dialog);
    if (!selectedFirst.isEmpty())
        view->setCurrentIndex(view->model()->index(int(entries.indexOf(selectedFirst)), 0));
    QTest::keyClicks(findEdit(&dialog), typed);
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().data().toString(), expected);
    // Typing never filters the list.
    QCOMPARE(view->model()->rowCount(), entries.size());
    book.prompts.verifyAllShown();
}

void TestFindDialog::fillsFromQueryOnce() {
    TestBook book;
    FindDialog dialog(book.services);
    // Values of every storage class are listed as the driver gives them as text, a null as
    // the empty text, in the query's order.
    dialog.setRecordSource(QStringLiteral(
        "SELECT 'Rent' UNION ALL SELECT NULL UNION ALL SELECT -42 UNION ALL SELECT 5.0 "
        "UNION ALL SELECT 0.07 UNION ALL SELECT 'Caf\u00e9 \u20ac' UNION ALL SELECT x'414243'"));
    dialog.show();
    QVERIFY(list(&dialog)->isEnabled());
    QCOMPARE(dialog.entries(),
             (QStringList{"Rent", "", "-42", "5", "0.07", "Caf\u00e9 \u20ac", "ABC"}));
    // Filled once per dialog: a second showing adds nothing.
    dialog.hide();
    dialog.show();
    QCOMPARE(list(&dialog)->model()->rowCount(), 7);
    QVERIFY(!book.busy.isBusy());
    // An empty result leaves only Cancel.
    FindDialog empty(book.services);
    empty.setRecordSource(QStringLiteral("SELECT 1 WHERE 0"));
    empty.show();
    QVERIFY(!list(&empty)->isEnabled());
    QVERIFY(empty.entries().isEmpty());
}

void TestFindDialog::failingQueryGoesToTheCaller() {
    TestBook book;
    QVERIFY_THROWS_EXCEPTION(Failure, findValue(book.services, nullptr, QStringLiteral("x"),
                                                QStringLiteral("SELECT Nothing FROM tblNowhere")));
    QVERIFY(!book.busy.isBusy());
}

// The caller's protocol through the chart and the customers and vendors windows: the value
// chosen is found among the window's records, and a cancelled find leaves the window where
// it was with no result.
void TestFindDialog::findsInCaller_data() {
    QTest::addColumn<int>("which"); // 0 customers, 1 vendors, 2 the chart
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("how"); // 0 Return, 1 double-click, 2 Esc, 3 Cancel
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("focus"); // the field searched by, -1 the grid
    // The entry chosen is not among the window's records: an account written after the chart
    // read its rows, a customer deleted while the find is open. The window shows its last.
    QTest::addColumn<bool>("missing");
    auto row = [](const char* name, int which, const char* button, const char* typed, int how,
                  const char* chosen, const char* caption, int focus, bool missing = false) {
        QTest::newRow(name) << which << QString(button) << QString(typed) << how << QString(chosen)
                            << QString(caption) << focus << missing;
    };
    row("chart, apostrophe", 2, "cmdFindByDesc", "owner'", 0, "Owner's Capital", "Account: 3 of 4",
        -1);
    row("chart, double-click", 2, "cmdFindByDesc", "rent", 1, "Rent", "Account: 4 of 4", -1);
    row("chart, Esc", 2, "cmdFindByDesc", "rent", 2, "", "Account: 1 of 4", -1);
    row("chart, Cancel", 2, "cmdFindByDesc", "rent", 3, "", "Account: 1 of 4", -1);
    row("chart, not found", 2, "cmdFindByDesc", "al's", 0, "Al's Cafe", "Account: 4 of 4", -1,
        true);
    row("customer gone", 0, "cmdFind", "adams", 0, "Adams", "Customer: 5 of 5", 1, true);
    row("customer by name, apostrophe", 0, "cmdFind", "o'b", 0, "O'Brien's", "Customer: 3 of 5", 1);
    // The first Smith in number order is found.
    row("vendor by name", 1, "cmdFindByVendorName", "smith", 0, "Smith", "Vendor: 2 of 5", 1);
    row("vendor by number, apostrophe", 1, "cmdFindByVendorID", "d'", 0, "D'4", "Vendor: 5 of 5",
        0);
}

void TestFindDialog::findsInCaller() {
    QFETCH(int, which);
    QFETCH(QString, button);
    QFETCH(QString, typed);
    QFETCH(int, how);
    QFETCH(QString, chosen);
    QFETCH(QString, caption);
    QFETCH(int, focus);
    QFETCH(bool, missing);
    TestBook book;
    const QStringList descriptions{"Bank", "Wages", "Owner's Capital", "Rent"};
    for (int i = 0; i < descriptions.size(); ++i)
        addAccount(book, QString::number((i + 1) * 1000), "", descriptions.at(i));
    const PartyKind& kind = which == 0 ? PartyKind::customers() : PartyKind::vendors();
    storeParties(
        book, kind,
        {{"C1", "Adams"}, {"C2", "Smith"}, {"C3", "O'Brien's"}, {"C4", "Smith"}, {"D'4", "Quote"}});
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
    book.lookup.FindResult = QStringLiteral("stale");
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
    QCOMPARE(book.lookup.FindResult, chosen);
    auto* party = qobject_cast<PartyWindow*>(window.get());
    auto* chart = qobject_cast<ChartOfAccountsWindow*>(window.get());
    QCOMPARE(party ? party->navigatorBar()->caption() : chart->navigator()->caption(), caption);
    // The window is active again with the keys in the field searched by.
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    QCOMPARE(QApplication::focusWidget(),
             party ? static_cast<QWidget*>(party->field(focus)) : chart->grid());
    book.prompts.verifyAllShown();
}

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
