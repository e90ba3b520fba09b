// The fixed codes: type texts, status words, month names, the period key and the
// current-month test as the date range the queries use.
#include "data/codes.h"
#include "support/testbook.h"

#include <QTest>

class TestCodes : public QObject {
    Q_OBJECT

private slots:
    void typeEntryText_data();
    void typeEntryText();
    void statusWord_data();
    void statusWord();
    void monthName_data();
    void monthName();
    void monthNameOfText_data();
    void monthNameOfText();
    void periodKey_data();
    void periodKey();
    void periodRange_data();
    void periodRange();
    void currentMonthQuery_data();
    void currentMonthQuery();
    void storedDates_data();
    void storedDates();
};

void TestCodes::typeEntryText_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");

    QTest::newRow("1") << "1"
                       << "1. Payment - CB Only";
    QTest::newRow("2") << "2"
                       << "2. Payment - CB / AP";
    QTest::newRow("3") << "3"
                       << "3. Receipt - CB Only";
    QTest::newRow("4") << "4"
                       << "4. Receipt - CB / AR";
    QTest::newRow("5") << "5"
                       << "5. Bank Charge";
    QTest::newRow("6") << "6"
                       << "6. Bank Interest";
    QTest::newRow("7") << "7"
                       << "7. Miscellaneous";
    QTest::newRow("8") << "8"
                       << "";
    QTest::newRow("0") << "0"
                       << "";
    QTest::newRow("leading zero") << "01"
                                  << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCodes::typeEntryText() {
    QFETCH(QString, code);
    QFETCH(QString, text);
    QCOMPARE(Codes::typeEntryText(code), text);
    // The entry list holds the seven texts in code order.
    const QStringList list = Codes::typeEntryTexts();
    QCOMPARE(list.size(), 7);
    if (!text.isEmpty())
        QCOMPARE(list.at(code.toInt() - 1), text);
}

void TestCodes::statusWord_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("word");

    QTest::newRow("1") << "1"
                       << "Outstanding";
    QTest::newRow("2") << "2"
                       << "Reconciled";
    QTest::newRow("3") << "3"
                       << "Reversed";
    QTest::newRow("4") << "4"
                       << "Void";
    QTest::newRow("unknown 9") << "9"
                               << "Outstanding";
    QTest::newRow("empty") << ""
                           << "Outstanding";
    QTest::newRow("null") << QString() << "Outstanding";
    QTest::newRow("leading zero is another code") << "02"
                                                  << "Outstanding";
    QTest::newRow("word itself is no code") << "Reconciled"
                                            << "Outstanding";
}

void TestCodes::statusWord() {
    QFETCH(QString, code);
    QFETCH(QString, word);
    QCOMPARE(Codes::statusWord(code), word);
}

void TestCodes::monthName_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("name");

    const char* const names[] = {"January",   "February", "March",    "April",
                                 "May",       "June",     "July",     "August",
                                 "September", "October",  "November", "December"};
    for (int m = 1; m <= 12; ++m)
        QTest::addRow("%d", m) << m << QString::fromLatin1(names[m - 1]);
    QTest::newRow("0") << 0 << "";
    QTest::newRow("13") << 13 << "";
    QTest::newRow("-1") << -1 << "";
}

void TestCodes::monthName() {
    QFETCH(int, month);
    QFETCH(QString, name);
    QCOMPARE(Codes::monthName(month), name);
}

// A stored month is compared as text with "1" ... "12".
void TestCodes::monthNameOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");

    QTest::newRow("1") << "1"
                       << "January";
    QTest::newRow("12") << "12"
                        << "December";
    QTest::newRow("13") << "13"
                        << "";
    QTest::newRow("0") << "0"
                       << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("leading zero") << "01"
                                  << "";
    QTest::newRow("year") << "2003"
                          << "";
    QTest::newRow("name") << "December"
                          << "";
}

void TestCodes::monthNameOfText() {
    QFETCH(QString, text);
    QFETCH(QString, name);
    QCOMPARE(Codes::monthName(text), name);
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
    QTest::newRow("March 2024") << 3 << 2024 << "32024" << QDate(2024, 3, 31) << true;
    QTest::newRow("November 2024") << 11 << 2024 << "112024" << QDate(2024, 11, 1) << true;
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
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");

    QTest::newRow("January") << "1"
                             << "2003" << true << QDate(2003, 1, 1) << QDate(2003, 1, 31);
    QTest::newRow("December") << "12"
                              << "2003" << true << QDate(2003, 12, 1) << QDate(2003, 12, 31);
    QTest::newRow("leap February") << "2"
                                   << "2004" << true << QDate(2004, 2, 1) << QDate(2004, 2, 29);
    QTest::newRow("February") << "2"
                              << "2003" << true << QDate(2003, 2, 1) << QDate(2003, 2, 28);
    QTest::newRow("thirty days") << "4"
                                 << "2003" << true << QDate(2003, 4, 1) << QDate(2003, 4, 30);
    QTest::newRow("stored with blanks")
        << " 1"
        << "2003 " << true << QDate(2003, 1, 1) << QDate(2003, 1, 31);
    QTest::newRow("month 13") << "13"
                              << "2003" << false << QDate() << QDate();
    QTest::newRow("month 0") << "0"
                             << "2003" << false << QDate() << QDate();
    QTest::newRow("no month") << ""
                              << "2003" << false << QDate() << QDate();
    QTest::newRow("month not a number") << "Jan"
                                        << "2003" << false << QDate() << QDate();
    QTest::newRow("two-digit year") << "1"
                                    << "03" << false << QDate() << QDate();
    QTest::newRow("no year") << "1"
                             << "" << false << QDate() << QDate();
}

void TestCodes::periodRange() {
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(bool, valid);
    QFETCH(QDate, first);
    QFETCH(QDate, last);

    const auto range = Codes::periodRange(month, year);
    QCOMPARE(range.has_value(), valid);
    if (valid) {
        QCOMPARE(range->first, first);
        QCOMPARE(range->second, last);
    }
}

// The current month as the queries select it: stored dates between the range's ends.
void TestCodes::currentMonthQuery_data() {
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("January 2003") << "1"
                                  << "2003" << QStringList{"A2", "A3", "A4"};
    QTest::newRow("December 2003") << "12"
                                   << "2003" << QStringList{"A6"};
    QTest::newRow("January 2002") << "1"
                                  << "2002" << QStringList{"A1"};
    QTest::newRow("February 2003") << "2"
                                   << "2003" << QStringList{"A5"};
}

void TestCodes::currentMonthQuery() {
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QStringList, ids);

    TestBook book;
    const QList<std::pair<QString, QDate>> rows = {
        {"A1", QDate(2002, 1, 5)},  {"A2", QDate(2003, 1, 1)}, {"A3", QDate(2003, 1, 5)},
        {"A4", QDate(2003, 1, 31)}, {"A5", QDate(2003, 2, 1)}, {"A6", QDate(2003, 12, 5)}};
    for (const auto& [id, date] : rows)
        book.sql(
            QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus) "
                           "VALUES (?, ?, '1', '1')"),
            {id, Codes::dateToStored(date)});

    const auto range = Codes::periodRange(month, year);
    QVERIFY(range.has_value());
    QSqlQuery query = book.db.exec(
        QStringLiteral("SELECT TransID FROM tblCashbook WHERE TransDate BETWEEN ? AND ? "
                       "ORDER BY TransDate, TransID"),
        {Codes::dateToStored(range->first), Codes::dateToStored(range->second)});
    QStringList found;
    while (query.next())
        found << query.value(0).toString();
    QCOMPARE(found, ids);
}

void TestCodes::storedDates_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("stored");

    QTest::newRow("5 January 2003") << QDate(2003, 1, 5) << "2003-01-05";
    QTest::newRow("31 December 1999") << QDate(1999, 12, 31) << "1999-12-31";
    QTest::newRow("29 February 2004") << QDate(2004, 2, 29) << "2004-02-29";
    QTest::newRow("no date") << QDate() << "";
}

void TestCodes::storedDates() {
    QFETCH(QDate, date);
    QFETCH(QString, stored);
    QCOMPARE(Codes::dateToStored(date), stored);
    QCOMPARE(Codes::dateFromStored(stored), date);
    // Stored text sorts as the dates do, which the range queries rely on.
    if (date.isValid())
        QVERIFY(Codes::dateToStored(date.addDays(1)) > stored);
}

QTEST_MAIN(TestCodes)
#include "tst_codes.moc"
