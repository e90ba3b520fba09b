#include "statement.h"

#include "data/windows1252.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace StatementText {

QString decode(const QByteArray& data) {
    // A byte-order mark of UTF-16 (or UTF-32) names the encoding; the mark is not text.
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(data);
    if (marked && *marked != QStringConverter::Utf8) {
        QStringDecoder wide(*marked);
        return wide(data);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(data);
    if (!utf8.hasError())
        return text;
    return Windows1252::decode(data);
}

std::optional<Money> amount(const QString& input, QChar decimalSeparator) {
    QString text = input.trimmed();
    bool negative = false;
    if (text.endsWith(QLatin1Char('-'))) {
        negative = true;
        text.chop(1);
    }
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        if (negative)
            return std::nullopt;
        negative = text.startsWith(QLatin1Char('-'));
        text.remove(0, 1);
    }
    // Plain digits, or groups of three after the thousands separator; then the fraction.
    static const auto shapeFor = [](const char* thousands, const char* decimal) {
        return QRegularExpression(QStringLiteral("^(\\d+|\\d{1,3}(%1\\d{3})+)(%2\\d*)?$|^%2\\d+$")
                                      .arg(QLatin1String(thousands), QLatin1String(decimal)));
    };
    static const QRegularExpression pointShape = shapeFor("[, '\\x{00A0}]", "\\.");
    static const QRegularExpression commaShape = shapeFor("[. '\\x{00A0}]", ",");
    if (decimalSeparator != QLatin1Char('.') && decimalSeparator != QLatin1Char(','))
        return std::nullopt;
    const QRegularExpression& shape =
        decimalSeparator == QLatin1Char('.') ? pointShape : commaShape;
    if (!shape.match(text).hasMatch())
        return std::nullopt;
    QString plain;
    for (const QChar c : text) {
        if (c.isDigit())
            plain.append(c);
        else if (c == decimalSeparator)
            plain.append(QLatin1Char('.'));
    }
    const std::optional<Money> value = Money::parse(plain);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

QString lineHash(const StatementLine& line, int occurrence) {
    const QString key = QStringLiteral("%1|%2|%3|%4|%5|%6")
                            .arg(line.date.toString(Qt::ISODate))
                            .arg(line.amount.units())
                            .arg(line.reference, line.name, line.memo)
                            .arg(occurrence);
    return QStringLiteral("#") +
           QString::fromLatin1(
               QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex());
}

void fillMissingIds(QList<StatementLine>& lines) {
    QHash<QString, int> seen;
    for (StatementLine& line : lines) {
        if (!line.bankId.isEmpty())
            continue;
        const QString base = lineHash(line, 0);
        line.bankId = lineHash(line, seen[base]++);
    }
}

} // namespace StatementText
