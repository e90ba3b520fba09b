#include "money.h"

#include "failure.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

Money Money::operator-() const {
    if (m_units == std::numeric_limits<qint64>::min())
        throw Failure::overflow();
    return Money(-m_units);
}

Money Money::operator+(Money other) const {
    qint64 sum = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &sum))
        throw Failure::overflow();
    return Money(sum);
}

Money Money::operator-(Money other) const {
    qint64 difference = 0;
    if (__builtin_sub_overflow(m_units, other.m_units, &difference))
        throw Failure::overflow();
    return Money(difference);
}

Money Money::fromDouble(double value) {
    // nearbyint honours the current rounding mode, which is round-to-nearest-even.
    const double scaled = std::nearbyint(value * double(Scale));
    // An amount the book cannot hold is an error, never a silent zero.
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.2e18)
        throw Failure::overflow();
    return Money(static_cast<qint64>(scaled));
}

std::optional<Money> Money::parse(const QString& input) {
    QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;

    bool negative = false;
    auto stripDollar = [&text] {
        if (text.startsWith(QLatin1Char('$')))
            text = text.mid(1).trimmed();
    };
    stripDollar();
    if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) {
        negative = true;
        text = text.mid(1, text.size() - 2).trimmed();
        stripDollar();
    }
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        if (negative)
            return std::nullopt;
        negative = text.startsWith(QLatin1Char('-'));
        text = text.mid(1).trimmed();
        stripDollar();
    }
    if (text.isEmpty())
        return std::nullopt;

    // Digits with thousands commas between digits, then an optional fraction.
    QString whole;
    QString fraction;
    bool inFraction = false;
    QChar previous;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            (inFraction ? fraction : whole).append(c);
        } else if (c == QLatin1Char(',') && !inFraction) {
            const bool digitBefore = previous.isDigit();
            const bool digitAfter = i + 1 < text.size() && text.at(i + 1).isDigit();
            if (!digitBefore || !digitAfter)
                return std::nullopt;
        } else if (c == QLatin1Char('.') && !inFraction) {
            inFraction = true;
        } else {
            return std::nullopt;
        }
        previous = c;
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;

    // Whole part: the units, rounded fraction included, must stay inside 64 bits.
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    constexpr qint64 maxWhole = std::numeric_limits<qint64>::max() / Scale - 1;
    if (whole.size() > 15 || (!whole.isEmpty() && whole.toLongLong() > maxWhole))
        return std::nullopt;
    qint64 units = whole.isEmpty() ? 0 : whole.toLongLong() * Scale;

    QString kept = fraction.left(4).leftJustified(4, QLatin1Char('0'));
    units += kept.toLongLong();
    if (fraction.size() > 4) {
        // Round the dropped digits ties to even.
        const QString dropped = fraction.mid(4);
        const QChar first = dropped.at(0);
        const bool restNonZero =
            dropped.mid(1).contains(QRegularExpression(QStringLiteral("[1-9]")));
        if (first > QLatin1Char('5') ||
            (first == QLatin1Char('5') && (restNonZero || units % 2 != 0)))
            units += 1;
    }
    return Money(negative ? -units : units);
}

Money Money::roundedToCent() const {
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    const qint64 cents = (magnitude + 50) / 100;
    return Money((m_units < 0 ? -cents : cents) * 100);
}

QString Money::format(Format format) const {
    const qint64 cents = roundedToCent().m_units / 100;
    const qint64 magnitude = cents < 0 ? -cents : cents;
    QString digits = QString::number(magnitude / 100);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    const QString body =
        QStringLiteral("$%1.%2").arg(digits).arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    if (cents >= 0)
        return body;
    if (format == Format::Entry)
        return QLatin1Char('(') + body + QLatin1Char(')');
    return QLatin1Char('-') + body;
}

QString Money::toPlainString() const {
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    QString text = QString::number(magnitude / Scale);
    qint64 frac = magnitude % Scale;
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        text += QLatin1Char('.') + f;
    }
    return m_units < 0 ? QLatin1Char('-') + text : text;
}
