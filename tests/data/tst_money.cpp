// Money: reading field texts, the four display formats, and the two roundings of a tax
// product (ties to even at four decimals, ties away from zero at the cent).
#include "data/failure.h"
#include "data/money.h"

#include <QTest>
#include <cmath>

class TestMoney : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void format_data();
    void format();
    void taxProduct_data();
    void taxProduct();
    void fromDoubleTiesToEven_data();
    void fromDoubleTiesToEven();
    void fromDoubleRefusesWhatTheBookCannotHold();
    void plainText_data();
    void plainText();
};

void TestMoney::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("units");
    QTest::addColumn<bool>("blank");

    QTest::newRow("dollar and thousands") << "$1,234.50" << true << qint64(12345000) << false;
    QTest::newRow("plain one decimal") << "1234.5" << true << qint64(12345000) << false;
    QTest::newRow("leading minus") << "-3.10" << true << qint64(-31000) << false;
    QTest::newRow("parentheses") << "(12.00)" << true << qint64(-120000) << false;
    QTest::newRow("parentheses with dollar") << "($1,234.56)" << true << qint64(-12345600) << false;
    QTest::newRow("minus before dollar") << "-$5" << true << qint64(-50000) << false;
    QTest::newRow("millions") << "$1,234,567.89" << true << qint64(12345678900) << false;
    QTest::newRow("surrounding blanks") << "  42  " << true << qint64(420000) << false;
    QTest::newRow("no whole part") << ".5" << true << qint64(5000) << false;
    QTest::newRow("trailing point") << "7." << true << qint64(70000) << false;
    QTest::newRow("zero") << "0" << true << qint64(0) << false;
    QTest::newRow("minus zero") << "-0.00" << true << qint64(0) << false;
    QTest::newRow("four decimals kept") << "0.0001" << true << qint64(1) << false;
    QTest::newRow("fifth decimal tie, odd rounds up")
        << "1.23455" << true << qint64(12346) << false;
    QTest::newRow("fifth decimal tie, even stays") << "1.23465" << true << qint64(12346) << false;
    QTest::newRow("above the tie rounds up") << "1.234651" << true << qint64(12347) << false;
    QTest::newRow("negative tie") << "-1.23455" << true << qint64(-12346) << false;
    QTest::newRow("largest amount")
        << "922,337,203,685,476.9999" << true << qint64(9223372036854769999LL) << false;

    QTest::newRow("empty") << "" << false << qint64(0) << true;
    QTest::newRow("blanks only") << "   " << false << qint64(0) << true;

    QTest::newRow("word") << "abc" << false << qint64(0) << false;
    QTest::newRow("dollar alone") << "$" << false << qint64(0) << false;
    QTest::newRow("minus alone") << "-" << false << qint64(0) << false;
    QTest::newRow("point alone") << "." << false << qint64(0) << false;
    QTest::newRow("empty parentheses") << "()" << false << qint64(0) << false;
    QTest::newRow("unclosed parenthesis") << "(12.00" << false << qint64(0) << false;
    QTest::newRow("unopened parenthesis") << "12.00)" << false << qint64(0) << false;
    QTest::newRow("minus inside parentheses") << "(-5)" << false << qint64(0) << false;
    QTest::newRow("two minus signs") << "--5" << false << qint64(0) << false;
    QTest::newRow("trailing minus") << "12-" << false << qint64(0) << false;
    QTest::newRow("two points") << "1.2.3" << false << qint64(0) << false;
    QTest::newRow("exponent") << "1e5" << false << qint64(0) << false;
    QTest::newRow("leading comma") << ",123" << false << qint64(0) << false;
    QTest::newRow("trailing comma") << "123," << false << qint64(0) << false;
    QTest::newRow("double comma") << "1,,234" << false << qint64(0) << false;
    QTest::newRow("comma in decimals") << "12.3,4" << false << qint64(0) << false;
    QTest::newRow("inner blank") << "12 34" << false << qint64(0) << false;
    QTest::newRow("two dollars") << "$$5" << false << qint64(0) << false;
    QTest::newRow("non-ASCII digits")
        << QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92") << false << qint64(0) << false;
    QTest::newRow("sixteen whole digits") << "1234567890123456" << false << qint64(0) << false;
    QTest::newRow("fifteen digits beyond 64 bits")
        << "999999999999999" << false << qint64(0) << false;
    QTest::newRow("negative beyond 64 bits")
        << "-923,000,000,000,000.00" << false << qint64(0) << false;
}

void TestMoney::parse() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, units);
    QFETCH(bool, blank);

    const std::optional<Money> money = Money::parse(text);
    QCOMPARE(money.has_value(), valid);
    if (valid)
        QCOMPARE(money->units(), units);
    QCOMPARE(Money::isBlank(text), blank);
}

void TestMoney::format_data() {
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("written"); // $##,##0.00
    QTest::addColumn<QString>("entry");   // "$"#,##0.00;("$"#,##0.00)
    QTest::addColumn<QString>("report");  // "$"#,##0.00
    QTest::addColumn<QString>("plain");   // $#,##0.00

    QTest::newRow("zero") << qint64(0) << "$0.00"
                          << "$0.00"
                          << "$0.00"
                          << "$0.00";
    QTest::newRow("cents only") << qint64(500) << "$0.05"
                                << "$0.05"
                                << "$0.05"
                                << "$0.05";
    QTest::newRow("below a thousand") << qint64(9999900) << "$999.99"
                                      << "$999.99"
                                      << "$999.99"
                                      << "$999.99";
    QTest::newRow("thousands") << qint64(12345000) << "$1,234.50"
                               << "$1,234.50"
                               << "$1,234.50"
                               << "$1,234.50";
    QTest::newRow("negative thousands") << qint64(-12345000) << "-$1,234.50"
                                        << "($1,234.50)"
                                        << "-$1,234.50"
                                        << "-$1,234.50";
    QTest::newRow("millions") << qint64(1234567890000) << "$123,456,789.00"
                              << "$123,456,789.00"
                              << "$123,456,789.00"
                              << "$123,456,789.00";
    QTest::newRow("negative millions") << qint64(-10000000000) << "-$1,000,000.00"
                                       << "($1,000,000.00)"
                                       << "-$1,000,000.00"
                                       << "-$1,000,000.00";
    QTest::newRow("rounding carries into the thousands") << qint64(9999999) << "$1,000.00"
                                                         << "$1,000.00"
                                                         << "$1,000.00"
                                                         << "$1,000.00";
    QTest::newRow("cent tie away from zero") << qint64(1250) << "$0.13"
                                             << "$0.13"
                                             << "$0.13"
                                             << "$0.13";
    QTest::newRow("odd cent tie away from zero") << qint64(1350) << "$0.14"
                                                 << "$0.14"
                                                 << "$0.14"
                                                 << "$0.14";
    QTest::newRow("negative cent tie away from zero") << qint64(-1250) << "-$0.13"
                                                      << "($0.13)"
                                                      << "-$0.13"
                                                      << "-$0.13";
    QTest::newRow("just below the tie") << qint64(1249) << "$0.12"
                                        << "$0.12"
                                        << "$0.12"
                                        << "$0.12";
    QTest::newRow("negative just below the tie") << qint64(-1249) << "-$0.12"
                                                 << "($0.12)"
                                                 << "-$0.12"
                                                 << "-$0.12";
}

void TestMoney::format() {
    QFETCH(qint64, units);
    QFETCH(QString, written);
    QFETCH(QString, entry);
    QFETCH(QString, report);
    QFETCH(QString, plain);

    const Money money = Money::fromUnits(units);
    QCOMPARE(money.format(Money::Format::Written), written);
    QCOMPARE(money.format(Money::Format::Entry), entry);
    QCOMPARE(money.format(Money::Format::Report), report);
    QCOMPARE(money.format(Money::Format::Plain), plain);
    // Every format reads back as the amount it shows.
    for (const QString& shown : {written, entry, report, plain})
        QCOMPARE(Money::parse(shown)->units(), money.roundedToCent().units());
}

// The tax of an entry window: base text and rate multiplied as doubles, the product made
// money, written to the cent; the total is base plus the written tax, both read as money.
void TestMoney::taxProduct_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("total");

    QTest::newRow("10.05 at 7%") << "10.05" << 0.07 << "$0.70"
                                 << "$10.75";
    QTest::newRow("100 at 7%") << "100" << 0.07 << "$7.00"
                               << "$107.00";
    QTest::newRow("cent tie 0.50 at 5%") << "0.50" << 0.05 << "$0.03"
                                         << "$0.53";
    QTest::newRow("cent tie 1.50 at 7%") << "1.50" << 0.07 << "$0.11"
                                         << "$1.61";
    QTest::newRow("thousands") << "$1,234.56" << 0.07 << "$86.42"
                               << "$1,320.98";
    QTest::newRow("negative base") << "-10.05" << 0.07 << "-$0.70"
                                   << "-$10.75";
    QTest::newRow("negative cent tie") << "(0.50)" << 0.05 << "-$0.03"
                                       << "-$0.53";
    QTest::newRow("twelve and a half per cent") << "1.01" << 0.125 << "$0.13"
                                                << "$1.14";
    // 1.65495: even at four decimals (1.6550), then away from zero at the cent.
    QTest::newRow("two roundings 20.06 at 8.25%") << "20.06" << 0.0825 << "$1.66"
                                                  << "$21.72";
    QTest::newRow("no tax") << "19.99" << 0.0 << "$0.00"
                            << "$19.99";
}

void TestMoney::taxProduct() {
    QFETCH(QString, base);
    QFETCH(double, rate);
    QFETCH(QString, tax);
    QFETCH(QString, total);

    const Money baseMoney = *Money::parse(base);
    const QString taxText =
        Money::fromDouble(baseMoney.toDouble() * rate).format(Money::Format::Written);
    QCOMPARE(taxText, tax);
    const Money totalMoney = baseMoney + *Money::parse(taxText);
    QCOMPARE(totalMoney.format(Money::Format::Written), total);
    // What reaches the book is the figure shown, to the cent.
    QCOMPARE(Money::parse(taxText)->units() % 100, qint64(0));
}

void TestMoney::fromDoubleTiesToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("units");

    // Products whose decimal value ends in 5 at the fifth decimal go to the even fourth
    // decimal; the first two are ties in binary as well.
    QTest::newRow("0.25 x 12.5% down to even") << 0.25 * 0.125 << qint64(312);
    QTest::newRow("0.75 x 12.5% up to even") << 0.75 * 0.125 << qint64(938);
    QTest::newRow("1.01 x 12.5% down to even") << 1.01 * 0.125 << qint64(1262);
    QTest::newRow("0.03 x 12.5% up to even") << 0.03 * 0.125 << qint64(38);
    QTest::newRow("0.05 x 12.5% down to even") << 0.05 * 0.125 << qint64(62);
    QTest::newRow("0.03 x 7.5% down to even") << 0.03 * 0.075 << qint64(22);
    QTest::newRow("0.07 x 7.5% down to even") << 0.07 * 0.075 << qint64(52);
    QTest::newRow("negative tie") << -(1.01 * 0.125) << qint64(-1262);
    QTest::newRow("negative tie up") << -(0.03 * 0.125) << qint64(-38);
    // The usual binary noise of a product does not move the amount.
    QTest::newRow("10.05 x 7%") << 10.05 * 0.07 << qint64(7035);
    QTest::newRow("100 x 7%") << 100 * 0.07 << qint64(70000);
    QTest::newRow("large amount") << 1234567.89 * 0.07 << qint64(864197523);
}

void TestMoney::fromDoubleTiesToEven() {
    QFETCH(double, value);
    QFETCH(qint64, units);
    QCOMPARE(Money::fromDouble(value).units(), units);
}

void TestMoney::fromDoubleRefusesWhatTheBookCannotHold() {
    QVERIFY_THROWS_EXCEPTION(Failure, Money::fromDouble(1e300));
    QVERIFY_THROWS_EXCEPTION(Failure, Money::fromDouble(std::nan("")));
}

void TestMoney::plainText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain");

    QTest::newRow("one decimal") << "1234.50"
                                 << "1234.5";
    QTest::newRow("negative") << "-3.10"
                              << "-3.1";
    QTest::newRow("four decimals") << "0.0705"
                                   << "0.0705";
    QTest::newRow("whole") << "$1,000.00"
                           << "1000";
    QTest::newRow("zero") << "0.00"
                          << "0";
}

void TestMoney::plainText() {
    QFETCH(QString, text);
    QFETCH(QString, plain);
    QCOMPARE(Money::parse(text)->toPlainString(), plain);
    QCOMPARE(Money::parse(plain)->units(), Money::parse(text)->units());
}

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
