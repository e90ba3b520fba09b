// The fixed codes: type texts, status words, month names, the period key and the
// current-month test as the date range the queries use.
#include "data/codes.h"
#include "support/datarows.h"

#include <QTest>

class TestCodes : public QObject {
    Q_OBJECT

private slots:
    // Codes are texts compared exactly: a leading zero or the word itself is no code. A month
    // is a whole number from 1 to 12, whatever leading zeros it was stored with.
    void codeTexts() {
        QCOMPARE(Codes::typeEntryTexts().size(), 7);
        QCOMPARE(Codes::typeEntryText("7"), QStringLiteral("7. Miscellaneous"));
        QCOMPARE(Codes::statusWord("2"), QStringLiteral("Reconciled"));
        QCOMPARE(Codes::monthName(12), QStringLiteral("December"));
        QCOMPARE(Codes::monthName(QStringLiteral("1")), QStringLiteral("January"));
        QCOMPARE(Codes::monthName(QStringLiteral(" 03")), QStringLiteral("March"));
        for (const char* other : {"8", "0", "01", ""})
            QCOMPARE(Codes::typeEntryText(other), QString());
        for (const QString& other : {QString("9"), QString("02"), QString("Reconciled"), QString()})
            QCOMPARE(Codes::statusWord(other), QStringLiteral("Outstanding"));
        for (int month : {0, 13, -1})
            QCOMPARE(Codes::monthName(month), QString());
        for (const char* text : {"13", "0", "", "013", "2003", "December", "+3", "3.0"})
            QCOMPARE(Codes::monthName(QString::fromLatin1(text)), QString());
    }

    // The key (month then year, no separator) and the date range of a month agree on which dates
    // are in it.
    void period_data() {
        // period: month/year as stored
        // lastDay: 0: no such month
        columns<QString, int, QDate, bool>("period", "lastDay", "date", "inPeriod");
        QTest::newRow("January") << "1/2003" << 31 << QDate(2003, 1, 5) << true;
        QTest::newRow("December, a January date") << "12/2003" << 31 << QDate(2003, 1, 5) << false;
        QTest::newRow("first of next month") << "1/2003" << 31 << QDate(2003, 2, 1) << false;
        QTest::newRow("same month other year") << "1/2003" << 31 << QDate(2004, 1, 5) << false;
        QTest::newRow("no date") << "1/2003" << 31 << QDate() << false;
        QTest::newRow("leap February") << "2/2004" << 29 << QDate(2004, 2, 29) << true;
        QTest::newRow("February") << "2/2003" << 28 << QDate(2003, 3, 1) << false;
        QTest::newRow("stored with blanks") << " 1/2003 " << 31 << QDate(2003, 1, 31) << true;
        for (const char* invalid : {"13/2003", "0/2003", "/2003", "Jan/2003", "1/03", "1/"})
            QTest::newRow(invalid) << invalid << 0 << QDate() << false;
    }

    void period() {
        auto [period, lastDay, date, inPeriod] =
            fetch<QString, int, QDate, bool>("period", "lastDay", "date", "inPeriod");
        const QString month = period.section('/', 0, 0);
        const QString year = period.section('/', 1);
        if (lastDay && !period.contains(' ')) {
            QCOMPARE(Codes::periodKey(month, year), month + year);
            QCOMPARE(Codes::periodKey(month.toInt(), year.toInt()), month + year);
            QCOMPARE(Codes::isInPeriod(date, month + year), inPeriod);
        }
        const auto range = Codes::periodRange(month, year);
        QCOMPARE(range.has_value(), lastDay > 0);
        if (range) {
            const QDate first(year.toInt(), month.toInt(), 1);
            QCOMPARE(range->first, first);
            QCOMPARE(range->second, QDate(first.year(), first.month(), lastDay));
            QCOMPARE(date.isValid() && date >= range->first && date <= range->second, inPeriod);
        }
    }

    // Stored text sorts as the dates do, which the range queries rely on.
    void storedDates() {
        for (const QDate& date : {QDate(2003, 1, 5), QDate(1999, 12, 31), QDate(2004, 2, 29)}) {
            const QString stored = Codes::dateToStored(date);
            QCOMPARE(stored, date.toString(Qt::ISODate));
            QCOMPARE(Codes::dateFromStored(stored), date);
            QVERIFY(Codes::dateToStored(date.addDays(1)) > stored);
        }
        QCOMPARE(Codes::dateToStored(QDate()), QString());
        QCOMPARE(Codes::dateFromStored(QString()), QDate());
    }
};

QTEST_MAIN(TestCodes)
#include "tst_codes.moc"
