#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

// An exact currency amount: a whole number of ten-thousandths held in 64 bits.
// Amounts are never held as double; a double only enters through fromDouble(),
// which is how a rate product becomes money.
class Money {
public:
    static constexpr qint64 Scale = 10000;

    // The display formats of the book. Written, Report and Plain put a minus sign
    // in front of a negative amount; Entry puts it in parentheses.
    enum class Format {
        Written, // $##,##0.00 (computed amounts written into fields)
        Entry,   // "$"#,##0.00;("$"#,##0.00) (entry windows)
        Report,  // "$"#,##0.00 (reports)
        Plain,   // $#,##0.00
    };

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static constexpr Money fromCents(qint64 cents) { return Money(cents * 100); }

    // A double to money at four decimals, ties to even. Throws Failure (Overflow) for a
    // value the book cannot hold.
    static Money fromDouble(double value);

    // Reads a field text: "$1,234.50", "1234.5", "-3.10", "(12.00)", "-$5", "$(5.00)".
    // Blank text and anything that is not an amount give no value; use isBlank() to
    // tell the two apart. More than four decimals are rounded ties to even.
    static std::optional<Money> parse(const QString& text);
    static bool isBlank(const QString& text) { return text.trimmed().isEmpty(); }

    qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }
    bool isZero() const { return m_units == 0; }

    // Rounded to the cent, ties away from zero: the figure every format shows.
    Money roundedToCent() const;

    QString format(Format format = Format::Written) const;
    // Plain decimal text with up to four decimals ("1234.5", "-3.1"), for files and debugging.
    QString toPlainString() const;

    // The largest amount, either way, that a user may enter: 999,999,999,999.99. Every
    // stored amount stays inside it, so no sum of a book's amounts can leave 64 bits.
    static constexpr qint64 MaxEnteredUnits = Q_INT64_C(9999999999999900);
    bool withinEntryLimit() const {
        return m_units >= -MaxEnteredUnits && m_units <= MaxEnteredUnits;
    }

    // Checked arithmetic: a result outside 64 bits throws Failure (Overflow), never wraps.
    Money operator-() const;
    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }
    auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};
