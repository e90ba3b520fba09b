// The find dialog and the caller protocol: filling, type-ahead, choosing and cancelling,
// and finding the chosen value in the caller's records.

#include "masterstesting.h"
#include "support/testbook.h"

#include "masters/chartofaccountswindow.h"
#include "masters/finddialog.h"
#include "masters/findincaller.h"
#include "masters/gridnavigatorbar.h"
#include "masters/lookups.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>
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

QString selectedEntry(FindDialog& dialog) {
    auto* list = dialog.findChild<QListView*>(QStringLiteral("List1"));
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QStringLiteral("(none)") : selected.first().data().toString();
}

} // namespace

class TestFindDialog : public QObject {
    Q_OBJECT
private slots:
    void typeAhead_data();
    void typeAhead();
    void typeAheadAgreesWithPlainSearch();
    void fillsFromQueryOnce();
    void emptyResultLeavesOnlyCancel();
    void failingQueryGoesToTheCaller();
    void doubleClickChooses();
    void cancelLeavesFindResultEmpty_data();
    void cancelLeavesFindResultEmpty();
    void functionKeysReachTheHandler();
    void chartFindsDescription_data();
    void chartFindsDescription();
    void notFoundMovesToLast();
};

void TestFindDialog::typeAhead_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("selectedFirst");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    // In case-insensitive order (searched by halves) and out of it (searched in turn).
    QTest::newRow("starts at the second entry")
        << QStringList{"AB", "ABC", "B1"} << QString() << "AB"
        << "ABC";
    QTest::newRow("wraps to the first entry") << QStringList{"AB", "B1"} << QString() << "AB"
                                              << "AB";
    QTest::newRow("no match keeps the selection") << QStringList{"AB", "ABC", "B1"} << "B1"
                                                  << "X"
                                                  << "B1";
    QTest::newRow("ignores case") << QStringList{"apple", "Apricot", "banana"} << QString() << "aPR"
                                  << "Apricot";
    QTest::newRow("later match past the middle")
        << QStringList{"a", "b", "c", "d", "e", "f", "g"} << QString() << "F"
        << "f";
    QTest::newRow("only the first matches") << QStringList{"Rent", "Salaries", "Wages"} << "Wages"
                                            << "re"
                                            << "Rent";
    QTest::newRow("unordered: second entry first")
        << QStringList{"Zed", "ab", "Abc"} << QString() << "ab"
        << "ab";
    QTest::newRow("unordered: wraps") << QStringList{"abc", "zz", "yy"} << QString() << "AB"
                                      << "abc";
    QTest::newRow("unordered: no match") << QStringList{"zz", "aa", "mm"} << "mm"
                                         << "q"
                                         << "mm";
    QTest::newRow("apostrophe") << QStringList{"Owner's Capital", "Owners"} << QString() << "owner'"
                                << "Owner's Capital";
}

void TestFindDialog::typeAhead() {
    QFETCH(QStringList, entries);
    QFETCH(QString, selectedFirst);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    TestBook book;
    makeList(book, entries);
    FindDialog dialog(book.services);
    dialog.setAddCaption(QStringLiteral("Type to find"));
    dialog.setRecordSource(kListQuery);
    dialog.show();
    QVERIFY(dialog.isFilled());
    auto* list = dialog.findChild<QListView*>(QStringLiteral("List1"));
    if (!selectedFirst.isEmpty())
        list->setCurrentIndex(list->model()->index(int(entries.indexOf(selectedFirst)), 0));
    QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("txtFind")), typed);
    QCOMPARE(selectedEntry(dialog), expected);
    // Typing never filters the list.
    QCOMPARE(list->model()->rowCount(), entries.size());
    book.prompts.verifyAllShown();
}

void TestFindDialog::typeAheadAgreesWithPlainSearch() {
    // Sorted lists are searched by halves; the answer must be that of the plain rule.
    QRandomGenerator random(20030115);
    const QString letters = QStringLiteral("aAbBc'é ");
    QStringList entries;
    for (int i = 0; i < 300; ++i) {
        QString entry;
        const int length = 1 + int(random.bounded(4));
        for (int j = 0; j < length; ++j)
            entry += letters.at(int(random.bounded(letters.size())));
        entries << entry;
    }
    std::sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return a.toCaseFolded() < b.toCaseFolded();
    });
    TestBook book;
    makeList(book, entries);
    FindDialog dialog(book.services);
    dialog.setRecordSource(kListQuery);
    dialog.fill();
    QVERIFY(dialog.isOrdered());
    auto plain = [&](const QString& text) {
        for (int i = 1; i < entries.size(); ++i)
            if (entries.at(i).startsWith(text, Qt::CaseInsensitive))
                return i;
        return entries.at(0).startsWith(text, Qt::CaseInsensitive) ? 0 : -1;
    };
    QStringList probes;
    for (const QString& entry : entries)
        for (int length = 1; length <= entry.size(); ++length)
            probes << entry.left(length) << entry.left(length).toUpper();
    probes << QStringLiteral("zz") << QStringLiteral("c'c'c");
    for (const QString& probe : probes)
        QVERIFY2(dialog.findPrefix(probe) == plain(probe), qPrintable(probe));
}

void TestFindDialog::fillsFromQueryOnce() {
    TestBook book;
    makeList(book, {QStringLiteral("Rent"), QString(), QStringLiteral("Wages")});
    FindDialog dialog(book.services);
    dialog.setAddCaption(QStringLiteral("Type Account Description to find"));
    dialog.setRecordSource(kListQuery);
    dialog.show();
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblWhichTable"))->text(),
             QStringLiteral("Type Account Description to find"));
    auto* list = dialog.findChild<QListView*>(QStringLiteral("List1"));
    QVERIFY(list->isEnabled());
    // A null becomes the empty text; query order is kept.
    QCOMPARE(dialog.entries(), (QStringList{"Rent", "", "Wages"}));
    // Filled once per dialog: a second showing adds nothing.
    dialog.hide();
    dialog.show();
    QCOMPARE(list->model()->rowCount(), 3);
    QVERIFY(!book.busy.isBusy());
}

void TestFindDialog::emptyResultLeavesOnlyCancel() {
    TestBook book;
    makeList(book, {});
    FindDialog dialog(book.services);
    dialog.setRecordSource(kListQuery);
    dialog.show();
    QVERIFY(!dialog.findChild<QListView*>(QStringLiteral("List1"))->isEnabled());
    QVERIFY(dialog.entries().isEmpty());
    QVERIFY(!book.busy.isBusy());
}

void TestFindDialog::failingQueryGoesToTheCaller() {
    TestBook book;
    QVERIFY_THROWS_EXCEPTION(Failure, findValue(book.services, nullptr, QStringLiteral("x"),
                                                QStringLiteral("SELECT Nothing FROM tblNowhere")));
    QVERIFY(!book.busy.isBusy());
}

void TestFindDialog::doubleClickChooses() {
    TestBook book;
    makeList(book, {QStringLiteral("Bank"), QStringLiteral("Rent"), QStringLiteral("Wages")});
    book.lookup.FindResult = QStringLiteral("stale");
    whenModal([](QDialog* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtFind")), "r");
        auto* list = dialog->findChild<QListView*>(QStringLiteral("List1"));
        doubleClickRow(list, list->currentIndex().row());
    });
    const std::optional<QString> chosen =
        findValue(book.services, nullptr, QStringLiteral("Pick"), kListQuery);
    QCOMPARE(chosen.value_or(QString()), QStringLiteral("Rent"));
    QCOMPARE(book.lookup.FindResult, QStringLiteral("Rent"));
}

void TestFindDialog::cancelLeavesFindResultEmpty_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel button") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("close box") << 2;
}

void TestFindDialog::cancelLeavesFindResultEmpty() {
    QFETCH(int, how);
    TestBook book;
    makeList(book, {QStringLiteral("Bank"), QStringLiteral("Rent")});
    book.lookup.FindResult = QStringLiteral("stale");
    whenModal([how](QDialog* dialog) {
        auto* find = dialog->findChild<QLineEdit*>(QStringLiteral("txtFind"));
        QTest::keyClicks(find, "Re");
        if (how == 0)
            press(dialog, "cmdCancel");
        else if (how == 1)
            QTest::keyClick(find, Qt::Key_Escape);
        else
            dialog->close();
    });
    QVERIFY(!findValue(book.services, nullptr, QStringLiteral("Pick"), kListQuery));
    QVERIFY(book.lookup.FindResult.isEmpty());
}

void TestFindDialog::functionKeysReachTheHandler() {
    TestBook book;
    makeList(book, {QStringLiteral("Bank")});
    FindDialog dialog(book.services);
    dialog.setRecordSource(kListQuery);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    book.prompts.expectMatch(QStringLiteral("^F1  - Help"));
    QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("txtFind")), Qt::Key_F5);
    book.prompts.verifyAllShown();
    QVERIFY(dialog.findChild<QLineEdit*>(QStringLiteral("txtFind"))->text().isEmpty());
}

void TestFindDialog::chartFindsDescription_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("caption");
    QTest::newRow("apostrophe") << "owner'"
                                << "Account: 3 of 4";
    QTest::newRow("plain") << "rent"
                           << "Account: 4 of 4";
}

void TestFindDialog::chartFindsDescription() {
    QFETCH(QString, typed);
    QFETCH(QString, caption);
    TestBook book;
    addAccounts(book, {{"1000", " ", "Bank"},
                       {"2000", " ", "Wages"},
                       {"3000", " ", "Owner's Capital"},
                       {"4000", " ", "Rent"}});
    ChartOfAccountsWindow window(book.services);
    window.show();
    whenModal([typed](QDialog* dialog) {
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("lblWhichTable"))->text(),
                 QStringLiteral("Type Account Description to find"));
        auto* find = dialog->findChild<QLineEdit*>(QStringLiteral("txtFind"));
        QTest::keyClicks(find, typed);
        QTest::keyClick(find, Qt::Key_Return);
    });
    press(&window, "cmdFindByDesc");
    QCOMPARE(window.navigator()->caption(), caption);
    book.prompts.verifyAllShown();
}

void TestFindDialog::notFoundMovesToLast() {
    TestBook book;
    addAccounts(book, {{"1000", " ", "Bank"}, {"2000", " ", "Wages"}, {"3000", " ", "Rent"}});
    ChartOfAccountsWindow window(book.services);
    window.show();
    // Written by someone else after the window read its rows: listed, but not in the grid.
    addAccounts(book, {{"0500", " ", "Al's Cafe"}});
    book.prompts.expect(QStringLiteral("Account Description Al's Cafe was not found."));
    whenModal([](QDialog* dialog) {
        auto* list = dialog->findChild<QListView*>(QStringLiteral("List1"));
        doubleClickRow(list, 0);
    });
    press(&window, "cmdFindByDesc");
    QCOMPARE(window.currentRow(), 2);
    QCOMPARE(window.navigator()->caption(), QStringLiteral("Account: 3 of 3"));
    book.prompts.verifyAllShown();
}

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
