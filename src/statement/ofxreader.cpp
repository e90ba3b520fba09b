#include "ofxreader.h"

#include <QHash>

namespace {

// One tag of the file and the text after it up to the next tag.
struct Token {
    QString name; // upper case; an end tag starts with '/'
    QString text;
    int line = 0;
};

QList<Token> tokenize(const QString& text) {
    QList<Token> tokens;
    int line = 1;
    qsizetype i = text.indexOf(QLatin1Char('<'));
    for (qsizetype k = 0; k < i; ++k)
        if (text.at(k) == QLatin1Char('\n'))
            ++line;
    while (i >= 0 && i < text.size()) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), i);
        if (close < 0)
            throw StatementError(
                QStringLiteral("Line %1: a tag is not closed with '>'.").arg(line));
        const QString tag = text.mid(i + 1, close - i - 1).trimmed();
        const int tagLine = line;
        qsizetype next = text.indexOf(QLatin1Char('<'), close + 1);
        if (next < 0)
            next = text.size();
        for (qsizetype k = i; k < next; ++k)
            if (text.at(k) == QLatin1Char('\n'))
                ++line;
        // Processing instructions and comments carry nothing of the statement.
        if (!tag.startsWith(QLatin1Char('?')) && !tag.startsWith(QLatin1Char('!'))) {
            QString name = tag.section(QLatin1Char(' '), 0, 0).toUpper();
            if (name.endsWith(QLatin1Char('/')))
                name.chop(1);
            tokens.append({name, text.mid(close + 1, next - close - 1).trimmed(), tagLine});
        }
        i = next < text.size() ? next : -1;
    }
    return tokens;
}

QString unescape(QString text) {
    if (!text.contains(QLatin1Char('&')))
        return text;
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&apos;"), QLatin1String("'"));
    text.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// YYYYMMDD, optionally followed by a time and a zone: the date is the first eight digits.
QDate ofxDate(const Token& token) {
    const QString& t = token.text;
    bool digits = t.size() >= 8;
    for (int i = 0; digits && i < 8; ++i)
        digits = t.at(i).isDigit() && t.at(i).unicode() < 128;
    const QDate date =
        digits ? QDate(t.left(4).toInt(), t.mid(4, 2).toInt(), t.mid(6, 2).toInt()) : QDate();
    if (!date.isValid())
        throw StatementError(QStringLiteral("Line %1: <%2> \"%3\" is not a date (YYYYMMDD).")
                                 .arg(token.line)
                                 .arg(token.name, token.text));
    return date;
}

Money ofxAmount(const Token& token) {
    // OFX allows a comma as the decimal separator.
    const QChar separator =
        token.text.contains(QLatin1Char(',')) && !token.text.contains(QLatin1Char('.'))
            ? QLatin1Char(',')
            : QLatin1Char('.');
    const std::optional<Money> value = StatementText::amount(token.text, separator);
    if (!value)
        throw StatementError(QStringLiteral("Line %1: <%2> \"%3\" is not an amount.")
                                 .arg(token.line)
                                 .arg(token.name, token.text));
    return *value;
}

} // namespace

namespace OfxReader {

bool looksLike(const QByteArray& data) {
    const QByteArray head = data.left(4096).toUpper();
    return head.contains("OFXHEADER") || head.contains("<OFX>");
}

Statement read(const QByteArray& data) {
    if (!looksLike(data))
        throw StatementError(QStringLiteral("Line 1: the file is not an OFX statement."));
    const QList<Token> tokens = tokenize(StatementText::decode(data));
    Statement statement;
    std::optional<StatementLine> line;
    bool seenDate = false;
    bool seenAmount = false;
    bool inLedger = false;
    bool ofxSeen = false;
    for (const Token& token : tokens) {
        const QString& name = token.name;
        if (name == QLatin1String("OFX"))
            ofxSeen = true;
        if (name == QLatin1String("STMTTRN")) {
            if (line)
                throw StatementError(
                    QStringLiteral("Line %1: <STMTTRN> inside another transaction.")
                        .arg(token.line));
            line = StatementLine{};
            line->sourceLine = token.line;
            seenDate = seenAmount = false;
        } else if (name == QLatin1String("/STMTTRN")) {
            if (!line)
                throw StatementError(
                    QStringLiteral("Line %1: </STMTTRN> without its start.").arg(token.line));
            if (!seenDate || !seenAmount)
                throw StatementError(
                    QStringLiteral("Line %1: the transaction has no %2.")
                        .arg(line->sourceLine)
                        .arg(seenDate ? QStringLiteral("<TRNAMT>") : QStringLiteral("<DTPOSTED>")));
            statement.lines.append(*line);
            line.reset();
        } else if (line) {
            const QString value = unescape(token.text);
            if (name == QLatin1String("DTPOSTED")) {
                line->date = ofxDate(token);
                seenDate = true;
            } else if (name == QLatin1String("TRNAMT")) {
                line->amount = ofxAmount(token);
                seenAmount = true;
            } else if (name == QLatin1String("FITID")) {
                line->bankId = value;
            } else if (name == QLatin1String("CHECKNUM")) {
                line->reference = value;
            } else if (name == QLatin1String("REFNUM")) {
                if (line->reference.isEmpty())
                    line->reference = value;
            } else if (name == QLatin1String("NAME")) {
                line->name = value;
            } else if (name == QLatin1String("MEMO")) {
                line->memo = value;
            }
        } else if (name == QLatin1String("LEDGERBAL")) {
            inLedger = true;
        } else if (name == QLatin1String("/LEDGERBAL")) {
            inLedger = false;
        } else if (inLedger && name == QLatin1String("BALAMT")) {
            statement.closingBalance = ofxAmount(token);
        } else if (inLedger && name == QLatin1String("DTASOF")) {
            statement.closingDate = ofxDate(token);
        }
    }
    if (line)
        throw StatementError(
            QStringLiteral("Line %1: the transaction is not closed with </STMTTRN>.")
                .arg(line->sourceLine));
    if (!ofxSeen)
        throw StatementError(QStringLiteral("Line 1: the file has no <OFX> element."));
    StatementText::fillMissingIds(statement.lines);
    return statement;
}

} // namespace OfxReader
