// The fixed codes: type texts, status words, month names, the period key and the
// current-month test as the date range the queries use.
#include "data/codes.h"

#include <QTest>

class TestCodes : public QObject {
    Q_OBJECT

private slots:
    void typeEntryText();
    void statusWord_data();
    void statusWord();
    void monthName();
    void periodKey_data();
    void periodKey();
    void periodRange_data();
    void periodRange();
    void storedDates();
};

void TestCodes::typeEntryText() {
    const QStringList list = Codes::typeEntryTexts();
    QCOMPARE(list.size(), 7);
    QCOMPARE(list.first(), QStringLiteral("1. Payment - CB Only"));
    QCOMPARE(list.last(), QStringLiteral("7. Miscellaneous"));
    for (int code = 1; code <= 7; ++code)
        QCOMPARE(Codes::typeEntryText(QString::number(code)), list.at(code - 1));
    for (const char* other : {"8", "0", "01", ""})
        QCOMPARE(Codes::typeEntryText(QLatin1String(other)), QString());
}

void TestCodes::statusWord_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("word");

    QTest::newRow("1") << "1" << "Outstanding";
    QTest::newRow("2") << "2" << "Reconciled";
    QTest::newRow("3") << "3" << "Reversed";
    QTest::newRow("4") << "4" << "Void";
    QTest::newRow("unknown 9") << "9" << "Outstanding";
    QTest::newRow("null") << QString() << "Outstanding";
    QTest::newRow("leading zero is another code") << "02" << "Outstanding";
    QTest::newRow("word itself is no code") << "Reconciled" << "Outstanding";
}

void TestCodes::statusWord() {
    QFETCH(QString, code);
    QFETCH(QString, word);
    QCOMPARE(Codes::statusWord(code), word);
}

void TestCodes::monthName() {
    QCOMPARE(Codes::monthName(1), QStringLiteral("January"));
    QCOMPARE(Codes::monthName(12), QStringLiteral("December"));
    for (int month = 1; month <= 12; ++month)
        QCOMPARE(Codes::monthName(month), QLocale::c().standaloneMonthName(month));
    for (int month : {0, 13, -1})
        QCOMPARE(Codes::monthName(month), QString());
    // A stored month is compared as text with "1" ... "12".
    QCOMPARE(Codes::monthName(QStringLiteral("12")), QStringLiteral("December"));
    for (const char* text : {"13", "0", "", "01", "2003", "December"})
        QCOMPARE(Codes::monthName(QLatin1String(text)), QString());
}

void TestCodes::periodKey_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("inPeriod");

    QTest::newRow("5 Jan 2003 in 12003") << 1 << 2003 << "12003" << QDate(2003, 1, 5) << true;
    QTest::newRow("5 Jan 2003 not in 122003")
        << 12 << 2003 << "122003" << QDate(2003, 1, 5) << false;
    QTest::newRow("5 Dec 2003 in 122003") << 12 << 2003 << "122003" << QDate(2003, 12, 5) << true;
    QTest::newRow("first of next month") << 1 << 2003 << "12003" << QDate(2003, 2, 1) << false;
    QTest::newRow("same month other year") << 1 << 2003 << "12003" << QDate(2004, 1, 5) << false;
    QTest::newRow("no date") << 1 << 2003 << "12003" << QDate() << false;
}

void TestCodes::periodKey() {
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(QString, key);
    QFETCH(QDate, date);
    QFETCH(bool, inPeriod);

    QCOMPARE(Codes::periodKey(month, year), key);
    QCOMPARE(Codes::periodKey(QString::number(month), QString::number(year)), key);
    QCOMPARE(Codes::isInPeriod(date, key), inPeriod);
    // The date-range form of the test agrees with the key.
    const auto range = Codes::periodRange(QString::number(month), QString::number(year));
    QVERIFY(range.has_value());
    QCOMPARE(date.isValid() && date >= range->first && date <= range->second, inPeriod);
}

void TestCodes::periodRange_data() {
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");

    QTest::newRow("December") << "12" << "2003" << QDate(2003, 12, 1) << QDate(2003, 12, 31);
    QTest::newRow("leap February") << "2" << "2004" << QDate(2004, 2, 1) << QDate(2004, 2, 29);
    QTest::newRow("February") << "2" << "2003" << QDate(2003, 2, 1) << QDate(2003, 2, 28);
    QTest::newRow("stored with blanks") << " 1" << "2003 " << QDate(2003, 1, 1) << QDate(2003, 1, 31);
    for (const auto& [month, year] : QList<QPair<const char*, const char*>>{
             {"13", "2003"}, {"0", "2003"}, {"", "2003"}, {"Jan", "2003"}, {"1", "03"}, {"1", ""}})
        QTest::addRow("invalid %s/%s", month, year) << month << year << QDate() << QDate();
}

void TestCodes::periodRange() {
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QDate, first);
    QFETCH(QDate, last);

    const auto range = Codes::periodRange(month, year);
    QCOMPARE(range.has_value(), first.isValid());
    if (range) {
        QCOMPARE(range->first, first);
        QCOMPARE(range->second, last);
    }
}

void TestCodes::storedDates() {
    for (const QDate& date : {QDate(2003, 1, 5), QDate(1999, 12, 31), QDate(2004, 2, 29)}) {
        const QString stored = Codes::dateToStored(date);
        QCOMPARE(stored, date.toString(Qt::ISODate));
        QCOMPARE(Codes::dateFromStored(stored), date);
        // Stored text sorts as the dates do, which the range queries rely on.
        QVERIFY(Codes::dateToStored(date.addDays(1)) > stored);
    }
    QCOMPARE(Codes::dateToStored(QDate()), QString());
    QCOMPARE(Codes::dateFromStored(QString()), QDate());
}

QTEST_MAIN(TestCodes)
#include "tst_codes.moc"
