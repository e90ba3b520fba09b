// Money: reading field texts, the four display formats, and the two roundings of a tax
// product (ties to even at four decimals, ties away from zero at the cent; the entry rules
// test them through the tax the windows work out).
#include "data/failure.h"
#include "data/money.h"
#include "support/datarows.h"

#include <QTest>
#include <cmath>
#include <limits>

class TestMoney : public QObject {
    Q_OBJECT

private slots:
    void parse_data() {
        columns<QString, bool, qint64, bool>("text", "valid", "units", "blank");

        const auto valid = [](const char* name, const char* text, qint64 units) {
            addRow(name, text, true, units, false);
        };
        valid("dollar and thousands", "$1,234.50", 12345000);
        valid("plain one decimal", "1234.5", 12345000);
        valid("leading minus", "-3.10", -31000);
        valid("parentheses", "(12.00)", -120000);
        valid("parentheses with dollar", "($1,234.56)", -12345600);
        valid("minus before dollar", "-$5", -50000);
        valid("surrounding blanks", "  42  ", 420000);
        valid("no whole part", ".5", 5000);
        valid("four decimals kept", "0.0001", 1);
        valid("fifth decimal tie, odd up", "1.23455", 12346);
        valid("fifth decimal tie, even stays", "1.23465", 12346);
        valid("negative tie", "-1.23455", -12346);
        valid("largest amount", "922,337,203,685,476.9999", 9223372036854769999LL);
        addRow("empty", "", false, qint64(0), true);
        addRow("blanks only", "   ", false, qint64(0), true);
        const QString bad = "abc|$|-|.|()|(12.00|12.00)|(-5)|--5|12-|1.2.3|1e5|,123|1,,234|12.3,4|"
                            "12 34|$$5|1234567890123456|999999999999999|-923,000,000,000,000.00";
        for (const QString& text : bad.split('|'))
            addRow(qPrintable(text), text, false, qint64(0), false);
        addRow("non-ASCII digits", QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92"), false, qint64(0),
               false);
    }

    void parse() {
        auto [text, valid, units, blank] =
            fetch<QString, bool, qint64, bool>("text", "valid", "units", "blank");

        const std::optional<Money> money = Money::parse(text);
        QCOMPARE(money.has_value(), valid);
        if (valid)
            QCOMPARE(money->units(), units);
        QCOMPARE(Money::isBlank(text), blank);
    }

    // Written $##,##0.00, report "$"#,##0.00 and plain $#,##0.00 show the same text; the entry
    // format "$"#,##0.00;("$"#,##0.00) puts a negative amount in parentheses.
    void format_data() {
        columns<qint64, QString, QString>("units", "written", "entry");

        const auto row = [](const char* name, qint64 units, const char* written,
                            const char* entry) {
            QTest::newRow(name) << units << QString(written) << QString(entry);
        };
        row("zero", 0, "$0.00", "$0.00");
        row("cents only", 500, "$0.05", "$0.05");
        row("thousands", 12345000, "$1,234.50", "$1,234.50");
        row("negative thousands", -12345000, "-$1,234.50", "($1,234.50)");
        row("millions", 1234567890000, "$123,456,789.00", "$123,456,789.00");
        row("negative millions", -10000000000, "-$1,000,000.00", "($1,000,000.00)");
        row("rounding carries", 9999999, "$1,000.00", "$1,000.00");
        row("cent tie away from zero", 1250, "$0.13", "$0.13");
        row("odd cent tie away from zero", 1350, "$0.14", "$0.14");
        row("negative cent tie", -1250, "-$0.13", "($0.13)");
        row("negative below the tie", -1249, "-$0.12", "($0.12)");
    }

    void format() {
        auto [units, written, entry] = fetch<qint64, QString, QString>("units", "written", "entry");

        const Money money = Money::fromUnits(units);
        QCOMPARE(money.format(Money::Format::Written), written);
        QCOMPARE(money.format(Money::Format::Entry), entry);
        QCOMPARE(money.format(Money::Format::Report), written);
        QCOMPARE(money.format(Money::Format::Plain), written);
        // Every format reads back as the amount it shows.
        for (const QString& shown : {written, entry})
            QCOMPARE(Money::parse(shown)->units(), money.roundedToCent().units());
    }

    void fromDoubleTiesToEven_data() {
        columns<double, qint64>("value", "units");

        // Products whose decimal value ends in 5 at the fifth decimal go to the even fourth
        // decimal; the first two are ties in binary as well.
        addRow("0.25 x 12.5% down to even", 0.25 * 0.125, qint64(312));
        addRow("0.75 x 12.5% up to even", 0.75 * 0.125, qint64(938));
        addRow("1.01 x 12.5% down to even", 1.01 * 0.125, qint64(1262));
        addRow("0.03 x 12.5% up to even", 0.03 * 0.125, qint64(38));
        addRow("0.07 x 7.5% down to even", 0.07 * 0.075, qint64(52));
        addRow("negative tie", -(1.01 * 0.125), qint64(-1262));
        // The usual binary noise of a product does not move the amount.
        addRow("10.05 x 7%", 10.05 * 0.07, qint64(7035));
        addRow("large amount", 1234567.89 * 0.07, qint64(864197523));
    }

    void fromDoubleTiesToEven() {
        auto [value, units] = fetch<double, qint64>("value", "units");
        QCOMPARE(Money::fromDouble(value).units(), units);
        // What the book cannot hold is refused.
        QVERIFY_THROWS_EXCEPTION(Failure, Money::fromDouble(1e300));
        QVERIFY_THROWS_EXCEPTION(Failure, Money::fromDouble(std::nan("")));
    }

    void plainText() {
        const QList<QPair<QString, QString>> cases = {
            {"1234.50", "1234.5"}, {"-3.10", "-3.1"}, {"0.0705", "0.0705"}, {"$1,000.00", "1000"}};
        for (const auto& [text, plain] : cases) {
            QCOMPARE(Money::parse(text)->toPlainString(), plain);
            QCOMPARE(Money::parse(plain)->units(), Money::parse(text)->units());
        }
    }

    // Sums never wrap: past 64 bits they fail, and the entry limit keeps every entered amount
    // far inside them.
    void checkedArithmetic() {
        const Money top = Money::fromUnits(std::numeric_limits<qint64>::max());
        const Money bottom = Money::fromUnits(std::numeric_limits<qint64>::min());
        const Money unit = Money::fromUnits(1);
        QVERIFY_THROWS_EXCEPTION(Failure, top + unit);
        QVERIFY_THROWS_EXCEPTION(Failure, bottom - unit);
        QVERIFY_THROWS_EXCEPTION(Failure, -bottom);
        Money sum = top;
        QVERIFY_THROWS_EXCEPTION(Failure, sum += unit);
        QCOMPARE(sum, top);
        QCOMPARE((top - unit + unit).units(), top.units());

        const Money limit = *Money::parse(QStringLiteral("999,999,999,999.99"));
        QVERIFY(limit.withinEntryLimit());
        QVERIFY((-limit).withinEntryLimit());
        QVERIFY(!(limit + unit).withinEntryLimit());
        QVERIFY(!(-limit - unit).withinEntryLimit());
        QVERIFY(!Money::parse(QStringLiteral("900,000,000,000,000"))->withinEntryLimit());
    }
};

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
