// The record navigator: its edges (empty set, one row, both ends), refusals of the
// before-move check, delete, add and undo, and positions when order keys tie or are null.
// The expected sequences come from one plain ORDER BY over the whole table; the navigator
// itself never reads more than one row at a time.
#include "data/recordnavigator.h"
#include "support/testbook.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using Move = RecordNavigator::Move;

RecordNavigator::Definition vendorsByName() {
    RecordNavigator::Definition d;
    d.table = "tblVendors";
    d.order = {{"VendorName", Qt::AscendingOrder}};
    d.key = {"VendorID"};
    return d;
}

RecordNavigator::Definition payments() {
    RecordNavigator::Definition d;
    d.table = "tblCashbook";
    d.filter = "TransType IN ('1','2')";
    d.order = {{"TransDate", Qt::DescendingOrder}, {"TransID", Qt::DescendingOrder}};
    d.key = {"TransID"};
    return d;
}

void addVendor(TestBook& book, const QString& id, const QVariant& name) {
    book.sql("INSERT INTO tblVendors (VendorID, VendorName) VALUES (?, ?)", {id, name});
}

// Vendors named "N" + id, so the name order is the id order.
void addVendors(TestBook& book, const QStringList& ids) {
    for (const QString& id : ids)
        addVendor(book, id, "N" + id);
}

void addTransaction(TestBook& book, const QString& id, const QVariant& date, const QString& type) {
    book.sql("INSERT INTO tblCashbook (TransID, TransDate, TransType) VALUES (?, ?, ?)",
             {id, date, type});
}

bool go(RecordNavigator& nav, Move move) {
    return move == Move::First      ? nav.first()
           : move == Move::Previous ? nav.previous()
           : move == Move::Next     ? nav.next()
                                    : nav.last();
}

QString currentId(const RecordNavigator& nav) {
    return nav.currentKey().value(0).toString();
}

// The current key and "position/count", as the navigator bar shows them.
QString state(const RecordNavigator& nav) {
    return QStringLiteral("%1 %2/%3").arg(currentId(nav)).arg(nav.position()).arg(nav.count());
}

} // namespace

class TestRecordNavigator : public QObject {
    Q_OBJECT

private slots:
    void emptyAndOneRow();
    void walksTheWholeOrder_data();
    void walksTheWholeOrder();
    void refusedMoves_data();
    void refusedMoves();
    void deleteRepositions_data();
    void deleteRepositions();
    void addAndUndo();
    void rowSavedAndRequery();
};

// On an empty set nothing moves and nothing is asked; with one row only First and Last ask.
void TestRecordNavigator::emptyAndOneRow() {
    TestBook book;
    addTransaction(book, "R1", "2003-01-02", "3");
    RecordNavigator nav(book.db, payments());
    QSignalSpy moved(&nav, &RecordNavigator::moved);
    QList<Move> asked;
    nav.setBeforeMove([&asked](Move move) {
        asked << move;
        return true;
    });
    nav.open();
    QCOMPARE(moved.count(), 1);
    QVERIFY(nav.isEmpty() && nav.isBOF() && nav.isEOF() && !nav.hasCurrent());
    QCOMPARE(state(nav), " 0/0");
    QVERIFY(!nav.first() && !nav.previous() && !nav.next() && !nav.last());
    QVERIFY(!nav.moveToKey("R1"));
    nav.deleteCurrent();
    QCOMPARE(moved.count(), 1);
    QCOMPARE(book.value("SELECT COUNT(*) FROM tblCashbook").toInt(), 1);

    addTransaction(book, "P1", "2003-01-02", "1");
    nav.requery();
    QVERIFY(!nav.isBOF() && !nav.isEOF());
    QVERIFY(!nav.next() && !nav.previous());
    QVERIFY(nav.last() && nav.first());
    QCOMPARE(asked, (QList<Move>{Move::Last, Move::First}));
    QCOMPARE(state(nav), "P1 1/1");
}

// Forward, backward and by key, through ties (also across case), nulls and rows outside
// the filter.
void TestRecordNavigator::walksTheWholeOrder_data() {
    QTest::addColumn<bool>("vendors");
    QTest::addColumn<bool>("nullDates");
    QTest::newRow("vendors by name") << true << false;
    QTest::newRow("payments newest first") << false << false;
    QTest::newRow("payments with null dates") << false << true;
}

void TestRecordNavigator::walksTheWholeOrder() {
    QFETCH(bool, vendors);
    QFETCH(bool, nullDates);
    TestBook book;
    QString expectedQuery;
    if (vendors) {
        const char* const rows[][2] = {{"V5", "Acme"}, {"V1", "acme"}, {"V3", nullptr},
                                       {"V9", "Zed"},  {"V2", "ACME"}, {"V0", nullptr},
                                       {"V7", "Bolt"}};
        for (const auto& v : rows)
            addVendor(book, v[0], v[1] ? QVariant(v[1]) : QVariant());
        expectedQuery = "SELECT VendorID FROM tblVendors ORDER BY VendorName, VendorID";
    } else {
        const char* const rows[][3] = {
            {"1001", "2003-01-10", "1"}, {"1002", "2003-01-10", "2"}, {"999", "2003-01-10", "1"},
            {"R5", "2003-01-10", "3"},   {"1003", "2003-01-11", "1"}, {"0999", "2002-12-31", "2"},
            {"A1", "2003-01-10", "1"},   {"a2", "2003-01-10", "2"},   {"R6", "2002-01-01", "3"},
            {"N1", nullptr, "1"},        {"N2", nullptr, "2"}};
        for (int i = 0; i < (nullDates ? 11 : 9); ++i)
            addTransaction(book, rows[i][0], rows[i][1] ? QVariant(rows[i][1]) : QVariant(),
                           rows[i][2]);
        expectedQuery = "SELECT TransID FROM tblCashbook WHERE TransType IN ('1','2') "
                        "ORDER BY TransDate DESC, TransID DESC";
    }
    QStringList expected;
    for (QSqlQuery q = book.db.exec(expectedQuery); q.next();)
        expected << q.value(0).toString();

    RecordNavigator nav(book.db, vendors ? vendorsByName() : payments());
    nav.open();
    QCOMPARE(nav.count(), qint64(expected.size()));
    QStringList forward{currentId(nav)};
    while (nav.next()) {
        forward << currentId(nav);
        QCOMPARE(nav.position(), qint64(forward.size()));
    }
    QCOMPARE(forward, expected);
    QStringList backward{currentId(nav)};
    while (nav.previous())
        backward.prepend(currentId(nav));
    QCOMPARE(backward, expected);
    QCOMPARE(nav.position(), 1);
    QVERIFY(nav.last());
    QCOMPARE(currentId(nav), expected.last());
    // A jump finds the position by counting the rows before the key.
    for (int i = expected.size() - 1; i >= 0; --i) {
        QVERIFY(nav.moveToKey(expected.at(i)));
        QCOMPARE(state(nav),
                 QStringLiteral("%1 %2/%3").arg(expected.at(i)).arg(i + 1).arg(expected.size()));
    }
    if (!vendors) {
        // Keys compare as the book compares text: without case; a row outside the filter or
        // no row at all is not found and the current row stays.
        QVERIFY(!nav.moveToKey("R5") && !nav.moveToKey("P9"));
        QCOMPARE(currentId(nav), expected.first());
        QVERIFY(nav.moveToKey("A2"));
        QCOMPARE(currentId(nav), "a2");
    }
}

// A refused move changes nothing and is asked once; moves the window makes itself
// (requery, add, undo, a saved row) are never asked, but leaving an added row is.
void TestRecordNavigator::refusedMoves_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("move");
    QTest::newRow("next from the middle") << "B" << int(Move::Next);
    QTest::newRow("previous from the middle") << "B" << int(Move::Previous);
    QTest::newRow("first from the last") << "C" << int(Move::First);
    QTest::newRow("last from the first") << "A" << int(Move::Last);
}

void TestRecordNavigator::refusedMoves() {
    QFETCH(QString, start);
    QFETCH(int, move);
    TestBook book;
    addVendors(book, {"A", "B", "C"});
    RecordNavigator nav(book.db, vendorsByName());
    nav.open();
    QList<Move> asked;
    nav.setBeforeMove([&asked](Move m) {
        asked << m;
        return false;
    });
    QVERIFY(nav.moveToKey(start));
    nav.requery();
    nav.requeryToFirst();
    nav.add();
    nav.undo();
    nav.rowSaved(start);
    QVERIFY(asked.isEmpty());
    const QString before = state(nav);
    QSignalSpy moved(&nav, &RecordNavigator::moved);
    QVERIFY(!go(nav, Move(move)));
    QCOMPARE(asked, QList<Move>{Move(move)});
    QCOMPARE(moved.count(), 0);
    QCOMPARE(state(nav), before);
    nav.add();
    QVERIFY(!nav.previous());
    QVERIFY(nav.isAdding());
}

// The window deletes, the set is read again at its first row, then moves one on.
void TestRecordNavigator::deleteRepositions_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<QString>("afterNext");
    QTest::newRow("first of three") << QStringList{"A", "B", "C"} << "A"
                                    << "C 2/2";
    QTest::newRow("last of three") << QStringList{"A", "B", "C"} << "C"
                                   << "B 2/2";
    QTest::newRow("second of two") << QStringList{"A", "B"} << "B"
                                   << "A 1/1";
    QTest::newRow("only row") << QStringList{"A"} << "A"
                              << " 0/0";
}

void TestRecordNavigator::deleteRepositions() {
    QFETCH(QStringList, rows);
    QFETCH(QString, deleted);
    QFETCH(QString, afterNext);
    TestBook book;
    addVendors(book, rows);
    RecordNavigator nav(book.db, vendorsByName());
    nav.open();
    QVERIFY(nav.moveToKey(deleted));
    QSignalSpy moved(&nav, &RecordNavigator::moved);
    nav.deleteCurrent();
    QCOMPARE(moved.count(), 1);
    QCOMPARE(book.value("SELECT COUNT(*) FROM tblVendors WHERE VendorID = ?", {deleted}).toInt(),
             0);
    QCOMPARE(nav.position(), qMin<qint64>(1, rows.size() - 1));
    nav.next();
    QCOMPARE(state(nav), afterNext);
}

void TestRecordNavigator::addAndUndo() {
    TestBook book;
    RecordNavigator nav(book.db, vendorsByName());
    nav.open();
    // On an empty set the new row is 1 of 1, and Undo empties the set again.
    nav.add();
    QVERIFY(nav.isAdding() && nav.hasCurrent());
    QCOMPARE(state(nav), " 1/1");
    QVERIFY(nav.value("VendorName").isNull());
    nav.undo();
    QVERIFY(nav.isEmpty());

    addVendors(book, {"A", "C"});
    nav.requery();
    nav.add();
    QCOMPARE(state(nav), " 3/3");
    QVERIFY(!nav.next());
    nav.undo();
    QVERIFY(!nav.isAdding());
    QCOMPARE(state(nav), "A 1/2");
    // Leaving a row being added with Previous goes to the last row.
    nav.add();
    QVERIFY(nav.previous());
    QCOMPARE(state(nav), "C 2/2");
    // A new row saved by the caller takes its place in the order and is counted.
    nav.add();
    addVendors(book, {"B"});
    nav.rowSaved("B");
    QVERIFY(!nav.isAdding());
    QCOMPARE(state(nav), "B 2/3");
    QVERIFY(nav.next());
    QCOMPARE(currentId(nav), "C");
}

// A saved row that changed place, and rows added or removed by others, are found again.
void TestRecordNavigator::rowSavedAndRequery() {
    TestBook book;
    for (const char* id : {"1", "2", "3", "4"})
        addTransaction(book, id, QStringLiteral("2003-01-0%1").arg(10 - QString(id).toInt() * 2),
                       "1");
    RecordNavigator nav(book.db, payments());
    nav.open();
    QVERIFY(nav.next());
    for (const auto& [date, shown] :
         {std::pair{"2003-02-01", "2 1/4"}, {"2002-01-01", "2 4/4"}, {"2002-01-01", "2 4/4"}}) {
        book.sql("UPDATE tblCashbook SET TransDate = ? WHERE TransID = '2'", {date});
        nav.rowSaved("2");
        QCOMPARE(state(nav), shown);
    }

    addTransaction(book, "0", "2004-01-01", "2");
    nav.requery();
    QCOMPARE(state(nav), "2 5/5");
    QVERIFY(nav.moveToKey("3"));
    // The current row gone: the row that followed it; the last row gone: the new last row.
    book.sql("DELETE FROM tblCashbook WHERE TransID = '3'");
    nav.requery();
    QCOMPARE(state(nav), "4 3/4");
    book.sql("DELETE FROM tblCashbook WHERE TransID IN ('4', '2')");
    nav.requery();
    QCOMPARE(state(nav), "1 2/2");
    book.sql("DELETE FROM tblCashbook");
    nav.requery();
    QVERIFY(nav.isEmpty());
}

QTEST_MAIN(TestRecordNavigator)
#include "tst_recordnavigator.moc"
