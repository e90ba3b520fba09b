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

#include <QLineEdit>
#include <QListView>
#include <QtTest>

namespace {

// A list table whose rows come back in the order given.
void makeList(TestBook& book, const QStringList& entries) {
    book.sql(QStringLiteral("CREATE TABLE tmpList (n INTEGER, v TEXT)"));
    Transaction transaction(book.db);
    for (int i = 0; i < entries.size(); ++i)
        book.sql(QStringLiteral("INSERT INTO tmpList (n, v) VALUES (?, ?)"),
                 {i, entries.at(i).isNull() ? QVariant() : QVariant(entries.at(i))});
    transaction.commit();
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
    void listsValuesAsText_data();
    void listsValuesAsText();
    void failingQueryGoesToTheCaller();
    void chartFindsDescription_data();
    void chartFindsDescription();
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
    makeList(book, {QStringLiteral("Rent"), QString(), QStringLiteral("Wages")});
    FindDialog dialog(book.services);
    dialog.setRecordSource(kListQuery);
    dialog.show();
    QVERIFY(list(&dialog)->isEnabled());
    // A null becomes the empty text; query order is kept.
    QCOMPARE(dialog.entries(), (QStringList{"Rent", "", "Wages"}));
    // Filled once per dialog: a second showing adds nothing.
    dialog.hide();
    dialog.show();
    QCOMPARE(list(&dialog)->model()->rowCount(), 3);
    QVERIFY(!book.busy.isBusy());

    // An empty result leaves only Cancel.
    book.sql(QStringLiteral("DELETE FROM tmpList"));
    FindDialog empty(book.services);
    empty.setRecordSource(kListQuery);
    empty.show();
    QVERIFY(!list(&empty)->isEnabled());
    QVERIFY(empty.entries().isEmpty());
}

// Values of every storage class are listed as the driver gives them as text.
void TestFindDialog::listsValuesAsText_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << "-42"
                             << "-42";
    QTest::newRow("whole real") << "5.0"
                                << "5";
    QTest::newRow("real") << "0.07"
                          << "0.07";
    QTest::newRow("text beyond ASCII") << "'Caf\u00e9 \u20ac'"
                                       << "Caf\u00e9 \u20ac";
    QTest::newRow("blob") << "x'414243'"
                          << "ABC";
}

void TestFindDialog::listsValuesAsText() {
    QFETCH(QString, value);
    QFETCH(QString, text);
    TestBook book;
    FindDialog dialog(book.services);
    dialog.setRecordSource(QStringLiteral("SELECT ") + value);
    dialog.fill();
    QCOMPARE(dialog.entries(), QStringList{text});
}

void TestFindDialog::failingQueryGoesToTheCaller() {
    TestBook book;
    QVERIFY_THROWS_EXCEPTION(Failure, findValue(book.services, nullptr, QStringLiteral("x"),
                                                QStringLiteral("SELECT Nothing FROM tblNowhere")));
    QVERIFY(!book.busy.isBusy());
}

// The caller's protocol through the chart: the description chosen is found in its rows, and
// a cancelled find leaves the window where it was with no result.
void TestFindDialog::chartFindsDescription_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("how"); // 0 Return, 1 double-click, 2 Esc, 3 Cancel
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("caption");
    QTest::newRow("apostrophe") << "owner'" << 0 << "Owner's Capital"
                                << "Account: 3 of 4";
    QTest::newRow("double-click") << "rent" << 1 << "Rent"
                                  << "Account: 4 of 4";
    // Listed, but not in the grid: the window moves to its last row.
    QTest::newRow("not found") << "al's" << 0 << "Al's Cafe"
                               << "Account: 4 of 4";
    QTest::newRow("Esc") << "rent" << 2 << ""
                         << "Account: 1 of 4";
    QTest::newRow("Cancel") << "rent" << 3 << ""
                            << "Account: 1 of 4";
}

void TestFindDialog::chartFindsDescription() {
    QFETCH(QString, typed);
    QFETCH(int, how);
    QFETCH(QString, chosen);
    QFETCH(QString, caption);
    TestBook book;
    const QStringList descriptions{"Bank", "Wages", "Owner's Capital", "Rent"};
    for (int i = 0; i < descriptions.size(); ++i)
        addAccount(book, QString::number((i + 1) * 1000), "", descriptions.at(i));
    ChartOfAccountsWindow window(book.services);
    QVERIFY(showActive(&window));
    if (chosen.startsWith(QLatin1String("Al")))
        addAccount(book, "0500", "", chosen);
    book.lookup.FindResult = QStringLiteral("stale");
    if (chosen.startsWith(QLatin1String("Al")))
        book.prompts.expect(Messages::notFound("Account Description ", chosen));
    whenModal([typed, how](QDialog* dialog) {
        QTest::keyClicks(findEdit(dialog), typed);
        if (how == 0)
            QTest::keyClick(findEdit(dialog), Qt::Key_Return);
        else if (how == 1)
            doubleClickRow(list(dialog), list(dialog)->currentIndex().row());
        else if (how == 2)
            QTest::keyClick(findEdit(dialog), Qt::Key_Escape);
        else
            press(dialog, "cmdCancel");
    });
    press(&window, "cmdFindByDesc");
    QCOMPARE(window.navigator()->caption(), caption);
    QCOMPARE(book.lookup.FindResult, chosen);
    // The chart is active again with the keys in its grid.
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.grid()));
    book.prompts.verifyAllShown();
}

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
