#include "glbatchfile.h"

#include "data/database.h"
#include "data/money.h"
#include "data/windows1252.h"

#include <QSqlQuery>
#include <cmath>
#include <limits>

namespace {

// How each column of the selection is written.
enum class Kind {
    Text,   // rules 1, 3 and 4
    Quoted, // rule 2: always between quotes
    Number, // held as a number: print spacing
    Money,  // held as ten-thousandths: print spacing
};

constexpr Kind kColumns[16] = {
    Kind::Text, Kind::Number, Kind::Quoted, Kind::Number, Kind::Quoted, Kind::Text,
    Kind::Text, Kind::Number, Kind::Quoted, Kind::Text,   Kind::Money,  Kind::Text,
    Kind::Text, Kind::Quoted, Kind::Number, Kind::Money,
};

const char* const kSingleColumns =
    R"("RecordType", "EntryNumber", "EntryDate", "FiscalPeriod", "GLAccountCode", "DeptCode", )"
    R"("SourceCode", "TransID", "TransDateAccpac", "TransDesc", "Amount")";
const char* const kCurrencyColumns =
    R"(, "CurrencyCode", "RateType", "RateDate", "Rate", "SourceAmount")";
const char* const kNotExported = R"( WHERE "ExportedToAccpac" = 0)";

// The text without the blanks at its start and end.
QStringView trimmedOfSpaces(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.sliced(first, last - first);
}

// Rule 4: the text without its outer blanks between double quotes, inner quotes doubled.
void appendQuoted(QString& out, QStringView text) {
    out += QLatin1Char('"');
    for (const QChar c : trimmedOfSpaces(text)) {
        if (c == QLatin1Char('"'))
            out += QLatin1Char('"');
        out += c;
    }
    out += QLatin1Char('"');
}

// A blank after every number and one before a number that is not negative.
void appendPrintSpaced(QString& out, const QString& number) {
    if (!number.startsWith(QLatin1Char('-')))
        out += QLatin1Char(' ');
    out += number;
    out += QLatin1Char(' ');
}

// Plain decimals, no exponent and no trailing zeros; always a full stop.
QString plainNumber(double value) {
    QString text = QString::number(value, 'f', 12);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

void appendField(QString& out, const QVariant& value, Kind kind) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double: {
        const QString number = kind == Kind::Money
                                   ? Money::fromUnits(value.toLongLong()).toPlainString()
                               : value.typeId() == QMetaType::Double ? plainNumber(value.toDouble())
                                                                     : value.toString();
        if (kind == Kind::Quoted)
            appendQuoted(out, number);
        else
            appendPrintSpaced(out, number);
        return;
    }
    default:
        break;
    }
    QString text = value.isNull() ? QString() : value.toString();
    // The outside package reads the file a line at a time: a line break or tab inside a
    // field would split or shift it.
    for (QChar& c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    if (trimmedOfSpaces(text).isEmpty())
        out += QLatin1String("\"\"");
    // A numeric text stays as it is, but a bare comma would split it into two fields.
    else if (kind != Kind::Quoted && GlBatchFile::isNumeric(text) &&
             !text.contains(QLatin1Char(',')))
        out += text;
    else
        appendQuoted(out, text);
}

} // namespace

bool GlBatchFile::isNumeric(QStringView text) {
    const qsizetype size = text.size();
    qsizetype i = 0;
    const auto skip = [&](auto accepted) {
        const qsizetype start = i;
        while (i < size && accepted(text[i]))
            ++i;
        return i - start;
    };
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' '); };
    const auto isSign = [](QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); };
    skip(isBlank);
    if (i < size && isSign(text[i]))
        ++i;
    // Digits with thousands separators, the first a digit; then decimals.
    const qsizetype wholeStart = i;
    if (i < size && isDigit(text[i]))
        skip([](QChar c) { return isDigit(c) || c == QLatin1Char(','); });
    bool digits = i > wholeStart;
    if (i < size && text[i] == QLatin1Char('.')) {
        ++i;
        digits = skip(isDigit) > 0 || digits;
    }
    if (!digits)
        return false;
    if (i < size && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < size && isSign(text[i]))
            ++i;
        if (skip(isDigit) == 0)
            return false;
    }
    skip(isBlank);
    return i == size;
}

qint32 GlBatchFile::batchNumber(const QString& transId) {
    if (!isNumeric(transId))
        return kOtherNumber;
    QString digits = transId;
    digits.remove(QLatin1Char(',')).remove(QLatin1Char(' '));
    // Rounding to nearest, ties to even, as whole-number conversion always has.
    const double value = std::nearbyint(digits.toDouble());
    if (!(value >= std::numeric_limits<qint32>::min() &&
          value <= std::numeric_limits<qint32>::max()))
        throw Failure(ErrorNumber::Overflow,
                      QStringLiteral("Overflow: the transaction number %1 is too large for the GL "
                                     "batch.")
                          .arg(transId));
    return static_cast<qint32>(value);
}

QString GlBatchFile::selectionQuery(bool multiCurrency, bool includeExported) {
    return QStringLiteral("SELECT ") + QLatin1String(kSingleColumns) +
           (multiCurrency ? QLatin1String(kCurrencyColumns) : QLatin1String()) +
           QStringLiteral(R"( FROM "tblGLDistributionAccpacGL")") +
           (includeExported ? QLatin1String() : QLatin1String(kNotExported)) +
           QStringLiteral(R"( ORDER BY "TransID", "GLAccountCode", rowid)");
}

qint64 GlBatchFile::selectionCount(const Database& db, bool includeExported) {
    return db
        .scalar(QStringLiteral(R"(SELECT COUNT(*) FROM "tblGLDistributionAccpacGL")") +
                (includeExported ? QLatin1String() : QLatin1String(kNotExported)))
        .toLongLong();
}

QString GlBatchFile::field(const QVariant& value, int column) {
    QString out;
    appendField(out, value, column >= 0 && column < 16 ? kColumns[column] : Kind::Text);
    return out;
}

QByteArray GlBatchFile::line(const QVariantList& values) {
    QString text;
    text.reserve(256);
    for (int column = 0; column < values.size(); ++column) {
        if (column > 0)
            text += QLatin1Char(',');
        appendField(text, values.at(column), column < 16 ? kColumns[column] : Kind::Text);
    }
    text += QLatin1String("\r\n");
    const std::optional<QByteArray> bytes = Windows1252::encode(text);
    if (!bytes)
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The line %1 holds a character that Windows-1252 text "
                                     "cannot hold.")
                          .arg(text.trimmed()));
    return *bytes;
}

std::optional<GlBatchFile::Unwritable>
GlBatchFile::findUnwritable(const Database& db, bool multiCurrency, bool includeExported) {
    // Only texts with a character outside printable ASCII need a closer look.
    const QString suspect = QStringLiteral(" GLOB '*[^ -~]*'");
    QSqlQuery settings =
        db.exec(QStringLiteral(R"(SELECT DISTINCT "SourceCode", "CurrencyCode", "RateType" FROM )"
                               R"("tblGLDistributionAccpacGL")") +
                (includeExported ? QLatin1String() : QLatin1String(kNotExported)));
    const char* const settingFields[] = {"GLSourceCode", "GLHomeCurrency", "GLRateType"};
    while (settings.next())
        for (int i = 0; i < (multiCurrency ? 3 : 1); ++i)
            if (!Windows1252::canEncode(settings.value(i).toString()))
                return Unwritable{
                    {}, {}, QLatin1String(settingFields[i]), settings.value(i).toString()};

    const char* const fields[] = {"AccountCode", "DeptCode", "TransDesc"};
    QSqlQuery lines = db.exec(
        QStringLiteral(
            R"(SELECT "TransID", "TransDate", "AccountCode", "DeptCode", "TransDesc" FROM )"
            R"("tblGLDistribution" WHERE ("AccountCode"%1 OR "DeptCode"%1 OR "TransDesc"%1)%2 )"
            R"(ORDER BY "TransDate", "TransID", "AccountCode")")
            .arg(suspect,
                 includeExported ? QString() : QStringLiteral(R"( AND "ExportedToAccpac" = 0)")));
    while (lines.next())
        for (int i = 0; i < 3; ++i)
            if (!Windows1252::canEncode(lines.value(2 + i).toString()))
                return Unwritable{lines.value(0).toString(), lines.value(1).toString(),
                                  QLatin1String(fields[i]), lines.value(2 + i).toString()};
    return std::nullopt;
}
