#include "ofxreader.h"

#include <algorithm>

namespace {

// Of a tag's name and text, no more is read than any field could keep.
constexpr qsizetype kLongestName = 64;
constexpr qsizetype kLongestText = 4096;

// One tag of the file and the text after it up to the next tag.
struct Token {
    QString name; // upper case; an end tag starts with '/'
    QString text;
    int line = 0;
};

QString unescape(const QString& raw) {
    if (!raw.contains(QLatin1Char('&')))
        return raw;
    QString text = raw;
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&apos;"), QLatin1String("'"));
    text.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    // Character references (&#233; &#xE9;) as XML writes them.
    for (qsizetype at = text.indexOf(QLatin1String("&#")); at >= 0;
         at = text.indexOf(QLatin1String("&#"), at + 1)) {
        const qsizetype end = text.indexOf(QLatin1Char(';'), at);
        if (end < 0 || end - at > 10)
            continue;
        const bool hex = text.at(at + 2) == QLatin1Char('x') || text.at(at + 2) == QLatin1Char('X');
        bool ok = false;
        const uint code =
            text.mid(at + (hex ? 3 : 2), end - at - (hex ? 3 : 2)).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code == 0 || code > 0x10FFFF)
            continue;
        const char32_t c = code;
        text.replace(at, end - at + 1, QString::fromUcs4(&c, 1));
    }
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// Reads the file's tags one at a time, each with its text up to the next tag: character
// data sections are text as they stand, comments are skipped. Nothing is kept of the tags
// already read, so a large file takes no more than its own text.
class Tokenizer {
public:
    explicit Tokenizer(const QString& text) : m_text(text), m_at(text.indexOf(QLatin1Char('<'))) {}

    bool next(Token& token) {
        while (m_at >= 0 && m_at < m_text.size()) {
            countLinesTo(m_at);
            const int tagLine = m_line;
            if (startsAt(m_at, u"<!--") || startsAt(m_at, u"<![CDATA[")) {
                m_at = nextTag(skipSpecial(m_at));
                continue;
            }
            const qsizetype close = m_text.indexOf(QLatin1Char('>'), m_at);
            if (close < 0)
                throw StatementError(
                    QStringLiteral("Line %1: a tag is not closed with '>'.").arg(tagLine));
            const QStringView tag = QStringView(m_text).mid(m_at + 1, close - m_at - 1).trimmed();
            QString text;
            qsizetype from = close + 1;
            // Of a text longer than any field keeps, only the start is taken.
            const auto take = [&text](QStringView piece) {
                return piece.left(std::max<qsizetype>(0, kLongestText - text.size()));
            };
            for (;;) {
                qsizetype lt = m_text.indexOf(QLatin1Char('<'), from);
                if (lt < 0)
                    lt = m_text.size();
                text += unescape(take(QStringView(m_text).mid(from, lt - from)).toString());
                if (startsAt(lt, u"<![CDATA[")) {
                    const qsizetype end = skipSpecial(lt);
                    text += take(QStringView(m_text).mid(lt + 9, end - 3 - lt - 9));
                    from = end;
                } else if (startsAt(lt, u"<!--")) {
                    from = skipSpecial(lt);
                } else {
                    m_at = lt < m_text.size() ? lt : -1;
                    break;
                }
            }
            // Processing instructions and declarations carry nothing of the statement.
            if (tag.startsWith(QLatin1Char('?')) || tag.startsWith(QLatin1Char('!')))
                continue;
            const qsizetype space = tag.indexOf(QLatin1Char(' '));
            token.name = tag.left(std::min<qsizetype>(space < 0 ? tag.size() : space, kLongestName))
                             .toString()
                             .toUpper();
            token.text = text.trimmed();
            if (token.name.endsWith(QLatin1Char('/')) || tag.endsWith(QLatin1Char('/'))) {
                // An empty element (<NAME/>): what follows it is not its text.
                if (token.name.endsWith(QLatin1Char('/')))
                    token.name.chop(1);
                token.text.clear();
            }
            token.line = tagLine;
            return true;
        }
        return false;
    }

private:
    bool startsAt(qsizetype at, QStringView what) const {
        return at < m_text.size() && QStringView(m_text).mid(at).startsWith(what);
    }
    // The position after a comment or character data section that starts at `at`.
    qsizetype skipSpecial(qsizetype at) {
        const bool comment = startsAt(at, u"<!--");
        const QLatin1String end = comment ? QLatin1String("-->") : QLatin1String("]]>");
        const qsizetype found = m_text.indexOf(end, at);
        if (found < 0) {
            countLinesTo(at);
            throw StatementError(
                QStringLiteral("Line %1: a %2 is not closed with \"%3\".")
                    .arg(m_line)
                    .arg(comment ? QStringLiteral("comment") : QStringLiteral("CDATA section"),
                         end));
        }
        return found + end.size();
    }
    qsizetype nextTag(qsizetype from) const { return m_text.indexOf(QLatin1Char('<'), from); }
    void countLinesTo(qsizetype at) {
        for (; m_counted < at; ++m_counted)
            if (m_text.at(m_counted) == QLatin1Char('\n'))
                ++m_line;
    }

    const QString& m_text;
    qsizetype m_at = -1;
    qsizetype m_counted = 0;
    int m_line = 1;
};

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
    // OFX allows a comma as the decimal separator; with both marks, the last one is the
    // decimal separator ("-1.006,60" as well as "-1,006.60").
    const QChar separator =
        token.text.lastIndexOf(QLatin1Char(',')) > token.text.lastIndexOf(QLatin1Char('.'))
            ? QLatin1Char(',')
            : QLatin1Char('.');
    const std::optional<Money> value = StatementText::amount(token.text, separator);
    if (!value)
        throw StatementError(QStringLiteral("Line %1: <%2> \"%3\" is not an amount.")
                                 .arg(token.line)
                                 .arg(token.name, token.text));
    return *value;
}

// The state of a <STATUS> aggregate: a response the bank could not give.
struct Status {
    QString code;
    QString severity;
    QString message;
    int line = 0;

    void check() const {
        if (severity.compare(QLatin1String("ERROR"), Qt::CaseInsensitive) != 0 || code.toInt() == 0)
            return;
        throw StatementError(
            QStringLiteral("Line %1: the bank reports error %2%3; the file holds no statement.")
                .arg(line)
                .arg(code, message.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(message)));
    }
};

} // namespace

namespace OfxReader {

bool looksLike(const QByteArray& data) {
    const QString head = StatementText::decode(data.left(4096)).toUpper();
    return head.contains(QLatin1String("OFXHEADER")) || head.contains(QLatin1String("<OFX>")) ||
           head.contains(QLatin1String("<OFX "));
}

QList<Statement> read(const QByteArray& data) {
    StatementText::checkSize(data.size());
    if (!looksLike(data))
        throw StatementError(QStringLiteral("Line 1: the file is not an OFX statement."));
    const QString text = StatementText::decode(data);
    Tokenizer tokens(text);
    QList<Statement> statements;
    Statement current;
    bool open = false; // whether `current` has begun
    std::optional<StatementLine> line;
    std::optional<Status> status;
    bool seenDate = false;
    bool seenAmount = false;
    bool inLedger = false;
    bool inAccount = false;
    bool ofxSeen = false;
    // Transactions and balances outside a statement aggregate belong to one statement.
    const auto statement = [&current, &open]() -> Statement& {
        open = true;
        return current;
    };
    const auto finishStatement = [&current, &open, &statements] {
        if (!open)
            return;
        StatementText::fillMissingIds(current.lines);
        statements.append(std::move(current));
        current = Statement{};
        open = false;
    };
    Token token;
    while (tokens.next(token)) {
        const QString& name = token.name;
        if (name == QLatin1String("OFX")) {
            ofxSeen = true;
        } else if (name == QLatin1String("INVSTMTRS") || name == QLatin1String("INVSTMTMSGSRSV1")) {
            throw StatementError(QStringLiteral("Line %1: the file is an investment statement "
                                                "(<%2>). Quillan books a bank account, not "
                                                "holdings of securities.")
                                     .arg(token.line)
                                     .arg(name));
        } else if (name == QLatin1String("STATUS")) {
            status = Status{};
            status->line = token.line;
        } else if (name == QLatin1String("/STATUS")) {
            if (status)
                status->check();
            status.reset();
        } else if (status && name == QLatin1String("CODE")) {
            status->code = token.text;
        } else if (status && name == QLatin1String("SEVERITY")) {
            status->severity = token.text;
        } else if (status && name == QLatin1String("MESSAGE")) {
            status->message = token.text;
        } else if (name == QLatin1String("STMTRS") || name == QLatin1String("CCSTMTRS")) {
            if (line)
                throw StatementError(QStringLiteral("Line %1: <%2> inside a transaction.")
                                         .arg(token.line)
                                         .arg(name));
            finishStatement();
            statement();
        } else if (name == QLatin1String("/STMTRS") || name == QLatin1String("/CCSTMTRS")) {
            finishStatement();
            inLedger = inAccount = false;
        } else if (name == QLatin1String("STMTTRN")) {
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
            StatementText::cap(*line);
            statement().lines.append(std::move(*line));
            line.reset();
        } else if (line) {
            if (name == QLatin1String("DTPOSTED")) {
                line->date = ofxDate(token);
                seenDate = true;
            } else if (name == QLatin1String("TRNAMT")) {
                line->amount = ofxAmount(token);
                seenAmount = true;
            } else if (name == QLatin1String("FITID")) {
                line->bankId = token.text;
            } else if (name == QLatin1String("CHECKNUM")) {
                line->reference = token.text;
            } else if (name == QLatin1String("REFNUM")) {
                if (line->reference.isEmpty())
                    line->reference = token.text;
            } else if (name == QLatin1String("NAME")) {
                line->name = token.text;
            } else if (name == QLatin1String("MEMO")) {
                line->memo = token.text;
            }
        } else if (name == QLatin1String("BANKACCTFROM") || name == QLatin1String("CCACCTFROM")) {
            inAccount = true;
        } else if (name == QLatin1String("/BANKACCTFROM") || name == QLatin1String("/CCACCTFROM")) {
            inAccount = false;
        } else if (open && inAccount && name == QLatin1String("ACCTID")) {
            // Only a statement's own account: an account list names accounts without one.
            current.accountId = token.text;
        } else if (open && name == QLatin1String("CURDEF")) {
            current.currency = token.text.toUpper();
        } else if (name == QLatin1String("LEDGERBAL")) {
            inLedger = true;
        } else if (name == QLatin1String("/LEDGERBAL") || name == QLatin1String("AVAILBAL") ||
                   name == QLatin1String("BALLIST")) {
            // The ledger balance ends with its end tag, or where the next balance starts.
            inLedger = false;
        } else if (inLedger && !token.text.isEmpty()) {
            // An empty balance or date leaves the statement without it.
            if (name == QLatin1String("BALAMT"))
                statement().closingBalance = ofxAmount(token);
            else if (name == QLatin1String("DTASOF"))
                statement().closingDate = ofxDate(token);
        }
    }
    if (status)
        status->check();
    if (line)
        throw StatementError(
            QStringLiteral("Line %1: the transaction is not closed with </STMTTRN>.")
                .arg(line->sourceLine));
    if (!ofxSeen)
        throw StatementError(QStringLiteral("Line 1: the file has no <OFX> element."));
    finishStatement();
    // A sign-on alone, or a list of accounts, is an answer of the bank but no statement.
    if (statements.isEmpty())
        throw StatementError(QStringLiteral("Line 1: the file holds no bank or credit card "
                                            "statement (<STMTRS> or <CCSTMTRS>)."));
    return statements;
}

} // namespace OfxReader
