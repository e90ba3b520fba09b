#include "statement.h"

#include "data/windows1252.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

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

void checkSize(qint64 bytes) {
    if (bytes > kMaxFileBytes)
        throw StatementError(
            QStringLiteral("The file is larger than %1 MB, more than a bank statement holds.")
                .arg(kMaxFileBytes / (1024 * 1024)));
}

void cap(StatementLine& line) {
    line.bankId.truncate(StatementLine::kMaxIdLength);
    line.reference.truncate(StatementLine::kMaxReferenceLength);
    line.name.truncate(StatementLine::kMaxNameLength);
    line.memo.truncate(StatementLine::kMaxMemoLength);
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

namespace StatementAccounts {

namespace {

// Banks mask card and account numbers with stars, hashes, bullets or a run of X.
bool masked(const QString& text) {
    static const QRegularExpression mask(QStringLiteral("[*#\\x{2022}]|[Xx]{2,}"));
    return text.contains(mask);
}

QString trailingDigits(const QString& text) {
    qsizetype start = text.size();
    while (start > 0 && text.at(start - 1).isDigit())
        --start;
    return text.mid(start);
}

} // namespace

QString significant(const QString& text) {
    QString result;
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            result.append(c.toUpper());
    return result;
}

bool matches(const QString& statementAccount, const QString& bookAccount) {
    const QString a = significant(statementAccount);
    const QString b = significant(bookAccount);
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (a == b && !masked(statementAccount) && !masked(bookAccount))
        return true;
    const bool aShort = masked(statementAccount) || a.size() < b.size();
    const bool bShort = masked(bookAccount) || b.size() < a.size();
    const QString aTail = trailingDigits(a);
    const QString bTail = trailingDigits(b);
    constexpr qsizetype kLeast = 4;
    return (aShort && aTail.size() >= kLeast && bTail.endsWith(aTail)) ||
           (bShort && bTail.size() >= kLeast && aTail.endsWith(bTail));
}

Statement join(const QList<Statement>& statements) {
    // A statement's place in time: its closing date, or its earliest line's.
    const auto when = [](const Statement& s) {
        if (s.closingDate.isValid())
            return s.closingDate;
        QDate date;
        for (const StatementLine& line : s.lines)
            if (!date.isValid() || line.date < date)
                date = line.date;
        return date;
    };
    QList<Statement> ordered = statements;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&when](const Statement& x, const Statement& y) { return when(x) < when(y); });
    Statement joined;
    for (const Statement& s : ordered) {
        if (joined.accountId.isEmpty())
            joined.accountId = s.accountId;
        if (joined.currency.isEmpty())
            joined.currency = s.currency;
        joined.lines += s.lines;
        joined.pendingLeftOut += s.pendingLeftOut;
        if (s.closingBalance && (!joined.closingBalance || !joined.closingDate.isValid() ||
                                 s.closingDate >= joined.closingDate)) {
            joined.closingBalance = s.closingBalance;
            joined.closingDate = s.closingDate;
        }
    }
    return joined;
}

} // namespace StatementAccounts
