// The record navigator over one small set of payments: the whole order walked both ways
// (ties, keys differing in case, null order values, a row outside the filter), then the
// edges as scripts of moves, each followed by the row shown and its position.
#include "data/recordnavigator.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using Move = RecordNavigator::Move;

// Payments and receipts newest first; the key is appended to the order, ascending.
// In that order: P4, P1, p2, P3, N1, N2 (R1 is of another type).
void fillPayments(TestBook& book) {
    book.sql(R"(INSERT INTO "tblCashbook" ("TransID", "TransDate", "TransType") VALUES )"
             "('P3', '2003-01-10', '1'), ('N2', NULL, '1'), ('p2', '2003-01-10', '2'), "
             "('P4', '2003-01-11', '1'), ('R1', '2003-01-10', '3'), ('N1', NULL, '2'), "
             "('P1', '2003-01-10', '1')");
}

RecordNavigator::Definition payments(const QString& types) {
    RecordNavigator::Definition d;
    d.table = "tblCashbook";
    d.filter = "\"TransType\" IN (" + types + ")";
    d.order = {{"TransDate", Qt::DescendingOrder}};
    d.key = {"TransID"};
    return d;
}

// The row shown ("+" while adding, "-" for none) and "position/count", as the bar shows them.
QString state(const RecordNavigator& nav) {
    const QString id = nav.isAdding()     ? QStringLiteral("+")
                       : nav.hasCurrent() ? nav.currentKey().value(0).toString()
                                          : QStringLiteral("-");
    return QStringLiteral("%1 %2/%3").arg(id).arg(nav.position()).arg(nav.count());
}

const char* const kMoveNames[] = {"First", "Previous", "Next", "Last"};

} // namespace

class TestRecordNavigator : public QObject {
    Q_OBJECT
private slots:
    // Every move reads one row beside the current one; the sequence must be the plain ORDER BY.
    void walksTheWholeOrder() {
        TestBook book;
        fillPayments(book);
        QStringList expected;
        for (QSqlQuery q = book.db.exec(R"(SELECT "TransID" FROM "tblCashbook" WHERE "TransType" )"
                                        R"(IN ('1','2') ORDER BY "TransDate" DESC NULLS LAST, )"
                                        R"("TransID")");
             q.next();)
            expected << q.value(0).toString();
        QCOMPARE(expected, (QStringList{"P4", "P1", "p2", "P3", "N1", "N2"}));
        RecordNavigator nav(book.db, payments("'1','2'"));
        nav.open();
        QStringList forward{state(nav)}, backward, jumps;
        while (nav.next())
            forward << state(nav);
        backward << state(nav);
        while (nav.previous())
            backward.prepend(state(nav));
        QStringList wanted;
        for (int i = 0; i < expected.size(); ++i) {
            wanted << QStringLiteral("%1 %2/6").arg(expected.at(i)).arg(i + 1);
            QVERIFY(nav.moveToKey(expected.at(expected.size() - 1 - i)));
            jumps.prepend(state(nav));
        }
        QCOMPARE(forward, wanted);
        QCOMPARE(backward, wanted);
        // A jump finds the position by counting the rows before the key.
        QCOMPARE(jumps, wanted);
    }

    // Each step of a script is "operation=expected state"; "!" after the operation means it must
    // change nothing: a move returns false and no moved() signal is sent. "asked" lists the moves
    // the before-move check was asked since the last "asked"; "refuse" makes it say no. put:ID:date
    // and drop:ID are other writers' changes to the table.
    void edges_data() {
        columns<QString, QString>("types", "script");
        addRow(
            "empty set", "'9'",
            "open=- 0/0; first!=- 0/0; previous!=- 0/0; next!=- 0/0; last!=- 0/0; key:R1!=- 0/0; "
            "delete!=- 0/0; rows=7; asked=; add=+ 1/1; undo=- 0/0");
        addRow("one row: only First and Last ask, delete empties the set", "'3'",
               "open=R1 1/1; next!=R1 1/1; previous!=R1 1/1; last=R1 1/1; first=R1 1/1; "
               "asked=Last,First; delete=- 0/0; rows=6");
        addRow("past either end, nothing is asked", "'1','2'",
               "open=P4 1/6; previous!=P4 1/6; last=N2 6/6; next!=N2 6/6; previous=N1 5/6; "
               "first=P4 1/6; asked=Last,Previous,First");
        addRow("refused moves; the window's own moves are not asked", "'1','2'",
               "open=P4 1/6; key:p2=p2 3/6; refuse; next!=p2 3/6; previous!=p2 3/6; first!=p2 3/6; "
               "last!=p2 3/6; asked=Next,Previous,First,Last; requery=p2 3/6; add=+ 7/7; "
               "undo=p2 3/6; saved:p2=p2 3/6; top=P4 1/6; asked=; add=+ 7/7; previous!=+ 7/7; "
               "asked=Previous");
        addRow(
            "delete: the first row again, the window moves on", "'1','2'",
            "open=P4 1/6; key:p2=p2 3/6; delete=P4 1/5; next=P1 2/5; last=N2 5/5; delete=P4 1/4; "
            "last=N1 4/4; rows=5");
        addRow("add and undo; Previous leaves an added row for the last", "'1','2'",
               "open=P4 1/6; key:P3=P3 4/6; add=+ 7/7; next!=+ 7/7; undo=P3 4/6; add=+ 7/7; "
               "previous=N2 6/6; asked=Previous; add=+ 7/7; key:P1=P1 2/6");
        addRow(
            "a saved row takes its place", "'1','2'",
            "open=P4 1/6; add=+ 7/7; put:P25:2003-01-10; saved:P25=P25 4/7; next=P3 5/7; "
            "key:P25=P25 4/7; put:P25:2004-01-01; saved:P25=P25 1/7; put:P25:; saved:P25=P25 7/7; "
            "next!=P25 7/7");
        addRow("others' changes found again on requery", "'1','2'",
               "open=P4 1/6; key:p2=p2 3/6; put:P0:2004-01-01; requery=p2 4/7; drop:p2; "
               "requery=P3 4/6; last=N2 6/6; drop:N2; requery=N1 5/5");
        addRow("keys without case; a key outside the set moves nothing", "'1','2'",
               "open=P4 1/6; key:R1!=P4 1/6; key:X9!=P4 1/6; key:P2=p2 3/6");
    }

    void edges() {
        auto [types, script] = fetch<QString, QString>("types", "script");
        TestBook book;
        fillPayments(book);
        RecordNavigator nav(book.db, payments(types));
        bool refuse = false;
        QStringList asked;
        nav.setBeforeMove([&](Move move) {
            asked << kMoveNames[int(move)];
            return !refuse;
        });
        for (const QString& step : script.split(QStringLiteral("; "))) {
            const QString expected = step.section('=', 1);
            QString op = step.section('=', 0, 0);
            const bool unchanged = op.endsWith('!');
            op.remove('!');
            const QString arg = op.section(':', 1, 1);
            const QString date = op.section(':', 2);
            QSignalSpy moved(&nav, &RecordNavigator::moved);
            bool changed = !unchanged; // the moves report it themselves
            if (op == "refuse") {
                refuse = true;
                continue;
            } else if (op == "asked") {
                QCOMPARE(asked.join(','), expected);
                asked.clear();
                continue;
            } else if (op == "rows") {
                QCOMPARE(book.value(R"(SELECT COUNT(*) FROM "tblCashbook")").toString(), expected);
                continue;
            } else if (op.startsWith("put:")) {
                book.sql(R"(INSERT INTO "tblCashbook" ("TransID", "TransDate", "TransType") )"
                         R"(VALUES (?, ?, '1') ON CONFLICT ("TransID") DO UPDATE SET )"
                         R"("TransDate" = excluded."TransDate", "TransType" = '1')",
                         {arg, date.isEmpty() ? QVariant() : QVariant(date)});
                continue;
            } else if (op.startsWith("drop:")) {
                book.sql(R"(DELETE FROM "tblCashbook" WHERE "TransID" = ?)", {arg});
                continue;
            } else if (op == "open") {
                nav.open();
            } else if (op == "first") {
                changed = nav.first();
            } else if (op == "previous") {
                changed = nav.previous();
            } else if (op == "next") {
                changed = nav.next();
            } else if (op == "last") {
                changed = nav.last();
            } else if (op.startsWith("key:")) {
                changed = nav.moveToKey(arg);
            } else if (op.startsWith("saved:")) {
                nav.rowSaved(arg);
            } else if (op == "add") {
                nav.add();
            } else if (op == "undo") {
                nav.undo();
            } else if (op == "requery") {
                nav.requery();
            } else if (op == "top") {
                nav.requeryToFirst();
            } else if (op == "delete") {
                nav.deleteCurrent();
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
            QVERIFY2(changed != unchanged, qPrintable(step));
            QVERIFY2(moved.count() == (unchanged ? 0 : 1), qPrintable(step));
            QVERIFY2(state(nav) == expected, qPrintable(step + " shows " + state(nav)));
        }
    }
};

QTEST_MAIN(TestRecordNavigator)
#include "tst_recordnavigator.moc"
