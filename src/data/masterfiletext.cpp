#include "masterfiletext.h"

#include "data/windows1252.h"

#include <QStringDecoder>

namespace MasterFileText {

namespace {

const QChar Quote = QLatin1Char('"');
const QChar Comma = QLatin1Char(',');

} // namespace

QString trimmedOfSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString exportValue(const QVariant& value) {
    const QString text = value.isNull() ? QString() : trimmedOfSpaces(value.toString());
    QString out;
    out.reserve(text.size() + 2);
    out += Quote;
    out += text;
    out += Quote;
    return out;
}

QString exportLine(const QVariantList& values) {
    QString line;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += Comma;
        line += exportValue(values.at(i));
    }
    line += QStringLiteral("\r\n");
    return line;
}

// Stateless: a sequence cut short at the end of the file is an error, not a pending state.
QStringDecoder utf8Decoder() {
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
}

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder = utf8Decoder();
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

QString fromWindows1252(const QByteArray& bytes) {
    return Windows1252::decode(bytes);
}

QString decode(const QByteArray& bytes) {
    QStringDecoder decoder = utf8Decoder();
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return fromWindows1252(bytes);
    return text;
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < size) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            ++i;
            continue;
        }
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = ++i;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

QString stripQuotes(const QString& piece) {
    if (piece.size() >= 2 && piece.front() == Quote && piece.back() == Quote)
        return piece.mid(1, piece.size() - 2);
    return piece;
}

std::optional<QStringList> splitLine(const QString& line, int count) {
    if (count < 1 || line.isEmpty())
        return std::nullopt;
    QStringList values;
    values.reserve(count);
    qsizetype start = 0;
    for (int k = 1; k < count; ++k) {
        qsizetype end = -1;
        if (start < line.size() && line.at(start) == Quote) {
            // A quoted value ends at its closing quote, the first one followed by a comma.
            for (qsizetype q = line.indexOf(Quote, start + 1); q >= 0;
                 q = line.indexOf(Quote, q + 1)) {
                if (q + 1 < line.size() && line.at(q + 1) == Comma) {
                    end = q + 1;
                    break;
                }
            }
        }
        if (end < 0)
            end = line.indexOf(Comma, start);
        if (end < 0)
            return std::nullopt;
        values << stripQuotes(line.mid(start, end - start));
        start = end + 1;
    }
    values << stripQuotes(line.mid(start));
    return values;
}

} // namespace MasterFileText
