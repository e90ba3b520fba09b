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

void addTransaction(TestBook& book, const QString& id, const QVariant& date, const QString& type) {
    book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus) "
                            "VALUES (?, ?, ?, '1')"),
             {id, date, type});
}

// Alpha (A), Beta (B) and Gamma (C).
void addThreeVendors(TestBook& book) {
    for (const char* id : {"A", "B", "C"})
        addVendor(book, QString::fromLatin1(id),
                  QStringList{"Alpha", "Beta", "Gamma"}.at(*id - 'A'));
}

QStringList column(TestBook& book, const QString& query) {
    QSqlQuery q = book.db.exec(query);
    QStringList values;
    while (q.next())
        values << q.value(0).toString();
    return values;
}

QString currentId(const RecordNavigator& nav) {
    return nav.currentKey().value(0).toString();
}

} // namespace

class TestRecordNavigator : public QObject {
    Q_OBJECT

private slots:
    void emptySet();
    void oneRow();
    void walksTheWholeOrder_data();
    void walksTheWholeOrder();
    void refusedMoves_data();
    void refusedMoves();
    void checkOnlyForNavigatorMoves();
    void deleteRepositions_data();
    void deleteRepositions();
    void addAndUndo();
    void rowSavedFindsItsPlace_data();
    void rowSavedFindsItsPlace();
    void requeryKeepsTheRow();
    void moveToKeyOutsideTheSet();
};

void TestRecordNavigator::emptySet() {
    TestBook book;
    addTransaction(book, "R1", "2003-01-02", "3");
    RecordNavigator nav(book.db, payments());
    QSignalSpy moved(&nav, &RecordNavigator::moved);
    int asked = 0;
    nav.setBeforeMove([&asked](Move) {
        ++asked;
        return true;
    });
    nav.open();
    QCOMPARE(moved.count(), 1);
    QVERIFY(nav.isEmpty() && nav.isBOF() && nav.isEOF() && !nav.hasCurrent());
    QCOMPARE(nav.count(), 0);
    QCOMPARE(nav.position(), 0);
    QVERIFY(!nav.first() && !nav.previous() && !nav.next() && !nav.last());
    QVERIFY(!nav.moveToKey("R1"));
    nav.deleteCurrent();
    QCOMPARE(asked, 0);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(book.value("SELECT COUNT(*) FROM tblCashbook").toInt(), 1);
}

void TestRecordNavigator::oneRow() {
    TestBook book;
    addTransaction(book, "P1", "2003-01-02", "1");
    RecordNavigator nav(book.db, payments());
    QList<Move> asked;
    nav.setBeforeMove([&asked](Move move) {
        asked << move;
        return true;
    });
    nav.open();
    QCOMPARE(nav.count(), 1);
    QCOMPARE(nav.position(), 1);
    QVERIFY(!nav.isBOF() && !nav.isEOF());
    QCOMPARE(nav.value("TransDate").toString(), "2003-01-02");
    // Past either end nothing moves and nothing is asked; first and last re-show the row.
    QVERIFY(!nav.next());
    QVERIFY(!nav.previous());
    QVERIFY(asked.isEmpty());
    QVERIFY(nav.last());
    QVERIFY(nav.first());
    QCOMPARE(asked, (QList<Move>{Move::Last, Move::First}));
    QCOMPARE(nav.position(), 1);
    QCOMPARE(currentId(nav), "P1");
}

void TestRecordNavigator::walksTheWholeOrder_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("vendors by name, ties and nulls") << "vendors";
    QTest::newRow("payments newest first, same dates") << "payments";
    QTest::newRow("payments with a null date") << "payments-null-date";
}

void TestRecordNavigator::walksTheWholeOrder() {
    QFETCH(QString, kind);
    TestBook book;
    RecordNavigator::Definition definition;
    QString expectedQuery;
    if (kind == QLatin1String("vendors")) {
        // Names tie (also across case: the book compares text without case) and some are null.
        const char* const vendors[][2] = {{"V5", "Acme"}, {"V1", "acme"}, {"V3", nullptr},
                                          {"V9", "Zed"},  {"V2", "ACME"}, {"V0", nullptr},
                                          {"V7", "Bolt"}};
        for (const auto& v : vendors)
            addVendor(book, QString::fromLatin1(v[0]),
                      v[1] ? QVariant(QString::fromLatin1(v[1])) : QVariant());
        definition = vendorsByName();
        expectedQuery = "SELECT VendorID FROM tblVendors ORDER BY VendorName, VendorID";
    } else {
        const char* const rows[][3] = {
            {"1001", "2003-01-10", "1"}, {"1002", "2003-01-10", "2"}, {"999", "2003-01-10", "1"},
            {"R5", "2003-01-10", "3"},   {"1003", "2003-01-11", "1"}, {"0999", "2002-12-31", "2"},
            {"A1", "2003-01-10", "1"},   {"a2", "2003-01-10", "2"},   {"R6", "2002-01-01", "3"},
            {"N1", nullptr, "1"},        {"N2", nullptr, "2"}};
        // The rows with a null date only in the last case.
        const int count = kind == QLatin1String("payments-null-date") ? 11 : 9;
        for (int i = 0; i < count; ++i)
            addTransaction(book, QString::fromLatin1(rows[i][0]),
                           rows[i][1] ? QVariant(QString::fromLatin1(rows[i][1])) : QVariant(),
                           QString::fromLatin1(rows[i][2]));
        definition = payments();
        expectedQuery =
            QStringLiteral("SELECT TransID FROM tblCashbook WHERE TransType IN ('1','2') "
                           "ORDER BY TransDate DESC, TransID DESC");
    }
    const QStringList expected = column(book, expectedQuery);
    QVERIFY(expected.size() >= 7);

    RecordNavigator nav(book.db, definition);
    nav.open();
    QCOMPARE(nav.count(), qint64(expected.size()));
    QStringList forward;
    forward << currentId(nav);
    QCOMPARE(nav.position(), 1);
    while (nav.next()) {
        forward << currentId(nav);
        QCOMPARE(nav.position(), qint64(forward.size()));
    }
    QCOMPARE(forward, expected);
    QCOMPARE(nav.position(), nav.count());

    QStringList backward;
    backward << currentId(nav);
    while (nav.previous())
        backward.prepend(currentId(nav));
    QCOMPARE(backward, expected);
    QCOMPARE(nav.position(), 1);

    QVERIFY(nav.last());
    QCOMPARE(currentId(nav), expected.last());
    QCOMPARE(nav.position(), qint64(expected.size()));

    // A jump finds the position by counting the rows before the key.
    for (int i = 0; i < expected.size(); ++i) {
        QVERIFY(nav.moveToKey(expected.at(i)));
        QCOMPARE(nav.position(), qint64(i + 1));
        QCOMPARE(currentId(nav), expected.at(i));
    }
}

void TestRecordNavigator::refusedMoves_data() {
    QTest::addColumn<int>("startAt");
    QTest::addColumn<int>("move");
    QTest::newRow("next from the middle") << 2 << int(Move::Next);
    QTest::newRow("previous from the middle") << 2 << int(Move::Previous);
    QTest::newRow("first from the last") << 3 << int(Move::First);
    QTest::newRow("last from the first") << 1 << int(Move::Last);
}

void TestRecordNavigator::refusedMoves() {
    QFETCH(int, startAt);
    QFETCH(int, move);
    TestBook book;
    addThreeVendors(book);
    RecordNavigator nav(book.db, vendorsByName());
    nav.open();
    const QString start = QStringList{"A", "B", "C"}.at(startAt - 1);
    QVERIFY(nav.moveToKey(start));
    QList<Move> asked;
    nav.setBeforeMove([&asked](Move m) {
        asked << m;
        return false;
    });
    QSignalSpy moved(&nav, &RecordNavigator::moved);
    const bool done = Move(move) == Move::First      ? nav.first()
                      : Move(move) == Move::Previous ? nav.previous()
                      : Move(move) == Move::Next     ? nav.next()
                                                     : nav.last();
    QVERIFY(!done);
    QCOMPARE(asked, QList<Move>{Move(move)});
    QCOMPARE(moved.count(), 0);
    QCOMPARE(currentId(nav), start);
    QCOMPARE(nav.position(), qint64(startAt));
}

void TestRecordNavigator::checkOnlyForNavigatorMoves() {
    TestBook book;
    addVendor(book, "A", "Alpha");
    addVendor(book, "B", "Beta");
    RecordNavigator nav(book.db, vendorsByName());
    int asked = 0;
    nav.setBeforeMove([&asked](Move) {
        ++asked;
        return false;
    });
    nav.open();
    QVERIFY(nav.moveToKey("B"));
    nav.requery();
    nav.requeryToFirst();
    nav.add();
    nav.undo();
    nav.rowSaved("A");
    QCOMPARE(asked, 0);
    // The row being added is a current row: leaving it is asked too.
    nav.add();
    QVERIFY(!nav.previous());
    QCOMPARE(asked, 1);
    QVERIFY(nav.isAdding());
}

void TestRecordNavigator::deleteRepositions_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("deleteAt");
    QTest::addColumn<QString>("shownAfterNext");
    QTest::addColumn<int>("countAfter");
    // The window deletes, the set is read again at its first row, then moves one on.
    QTest::newRow("first of three shows the former third") << 3 << 1 << "C" << 2;
    QTest::newRow("last of three") << 3 << 3 << "B" << 2;
    QTest::newRow("second of two leaves one") << 2 << 2 << "A" << 1;
    QTest::newRow("only row leaves none") << 1 << 1 << "" << 0;
}

void TestRecordNavigator::deleteRepositions() {
    QFETCH(int, rows);
    QFETCH(int, deleteAt);
    QFETCH(QString, shownAfterNext);
    QFETCH(int, countAfter);
    TestBook book;
    const QStringList ids = {"A", "B", "C"};
    for (int i = 0; i < rows; ++i)
        addVendor(book, ids.at(i), "Name " + ids.at(i));
    RecordNavigator nav(book.db, vendorsByName());
    nav.open();
    QVERIFY(nav.moveToKey(ids.at(deleteAt - 1)));
    QSignalSpy moved(&nav, &RecordNavigator::moved);
    nav.deleteCurrent();
    QCOMPARE(moved.count(), 1);
    QCOMPARE(nav.count(), qint64(countAfter));
    QCOMPARE(
        book.value("SELECT COUNT(*) FROM tblVendors WHERE VendorID = ?", {ids.at(deleteAt - 1)})
            .toInt(),
        0);
    if (countAfter == 0) {
        QVERIFY(nav.isEmpty());
        QCOMPARE(nav.position(), 0);
        return;
    }
    QCOMPARE(nav.position(), 1);
    nav.next();
    QCOMPARE(currentId(nav), shownAfterNext);
    QCOMPARE(nav.position(), qMin<qint64>(2, countAfter));
}

void TestRecordNavigator::addAndUndo() {
    TestBook book;
    RecordNavigator nav(book.db, vendorsByName());
    nav.open();
    // On an empty set the new row is 1 of 1, and Undo empties the set again.
    nav.add();
    QVERIFY(nav.isAdding());
    QVERIFY(nav.hasCurrent());
    QCOMPARE(nav.position(), 1);
    QCOMPARE(nav.count(), 1);
    QVERIFY(nav.record().contains("VendorName"));
    QVERIFY(nav.value("VendorName").isNull());
    QVERIFY(nav.currentKey().isEmpty());
    nav.undo();
    QVERIFY(nav.isEmpty());
    QCOMPARE(nav.position(), 0);

    addVendor(book, "A", "Alpha");
    addVendor(book, "C", "Gamma");
    nav.requery();
    QCOMPARE(currentId(nav), "A");
    nav.add();
    QCOMPARE(nav.position(), 3);
    QCOMPARE(nav.count(), 3);
    QVERIFY(!nav.next());
    nav.undo();
    QVERIFY(!nav.isAdding());
    QCOMPARE(currentId(nav), "A");
    QCOMPARE(nav.position(), 1);
    QCOMPARE(nav.count(), 2);

    // Leaving a row being added with Previous goes to the last row.
    nav.add();
    QVERIFY(nav.previous());
    QVERIFY(!nav.isAdding());
    QCOMPARE(currentId(nav), "C");
    QCOMPARE(nav.position(), 2);

    // A new row saved by the caller takes its place in the order and is counted.
    nav.add();
    addVendor(book, "B", "Beta");
    nav.rowSaved("B");
    QVERIFY(!nav.isAdding());
    QCOMPARE(nav.count(), 3);
    QCOMPARE(nav.position(), 2);
    QCOMPARE(nav.value("VendorName").toString(), "Beta");
    QVERIFY(nav.next());
    QCOMPARE(currentId(nav), "C");
}

void TestRecordNavigator::rowSavedFindsItsPlace_data() {
    QTest::addColumn<QString>("newDate");
    QTest::addColumn<int>("position");
    QTest::newRow("moved to the newest") << "2003-02-01" << 1;
    QTest::newRow("moved to the oldest") << "2002-01-01" << 4;
    QTest::newRow("same date stays") << "2003-01-05" << 2;
}

void TestRecordNavigator::rowSavedFindsItsPlace() {
    QFETCH(QString, newDate);
    QFETCH(int, position);
    TestBook book;
    addTransaction(book, "1", "2003-01-09", "1");
    addTransaction(book, "2", "2003-01-05", "1");
    addTransaction(book, "3", "2003-01-03", "2");
    addTransaction(book, "4", "2003-01-01", "1");
    RecordNavigator nav(book.db, payments());
    nav.open();
    QVERIFY(nav.next());
    QCOMPARE(currentId(nav), "2");
    book.sql("UPDATE tblCashbook SET TransDate = ? WHERE TransID = '2'", {newDate});
    nav.rowSaved("2");
    QCOMPARE(nav.position(), qint64(position));
    QCOMPARE(nav.value("TransDate").toString(), newDate);
    QCOMPARE(nav.count(), 4);
}

void TestRecordNavigator::requeryKeepsTheRow() {
    TestBook book;
    for (const char* id : {"A", "B", "C", "D"})
        addVendor(book, QString::fromLatin1(id), "N" + QString::fromLatin1(id));
    RecordNavigator nav(book.db, vendorsByName());
    nav.open();
    QVERIFY(nav.moveToKey("C"));
    addVendor(book, "0", "AAA");
    nav.requery();
    QCOMPARE(currentId(nav), "C");
    QCOMPARE(nav.position(), 4);
    QCOMPARE(nav.count(), 5);
    // The current row gone: the row that followed it.
    book.sql("DELETE FROM tblVendors WHERE VendorID = 'C'");
    nav.requery();
    QCOMPARE(currentId(nav), "D");
    QCOMPARE(nav.position(), 4);
    // The last row gone: the new last row.
    book.sql("DELETE FROM tblVendors WHERE VendorID = 'D'");
    nav.requery();
    QCOMPARE(currentId(nav), "B");
    QCOMPARE(nav.position(), 3);
    QCOMPARE(nav.count(), 3);
    book.sql("DELETE FROM tblVendors");
    nav.requery();
    QVERIFY(nav.isEmpty());
}

void TestRecordNavigator::moveToKeyOutsideTheSet() {
    TestBook book;
    addTransaction(book, "P1", "2003-01-02", "1");
    addTransaction(book, "P2", "2003-01-01", "2");
    addTransaction(book, "R1", "2003-01-03", "4");
    RecordNavigator nav(book.db, payments());
    nav.open();
    QVERIFY(!nav.moveToKey("R1"));
    QVERIFY(!nav.moveToKey("P9"));
    QCOMPARE(currentId(nav), "P1");
    // Keys compare as the book compares text: without case, "007" is not "7".
    QVERIFY(nav.moveToKey("p2"));
    QCOMPARE(currentId(nav), "P2");
    QCOMPARE(nav.position(), 2);
}

QTEST_MAIN(TestRecordNavigator)
#include "tst_recordnavigator.moc"
