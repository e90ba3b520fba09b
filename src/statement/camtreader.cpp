#include "camtreader.h"

#include <QBuffer>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

namespace {

// Element names are kept only this deep for the paths below; deeper elements are counted,
// which keeps memory linear however deeply a file nests.
constexpr int kTrackedDepth = 24;
constexpr qsizetype kLongestName = 64;
// The deepest element used, below its part ("RltdPties/UltmtDbtr/Pty/Nm").
constexpr int kDeepestWanted = 4;
// The text kept of one element; more is cut (the fields keep less still).
constexpr qsizetype kLongestText = 4096;

// What one part of a statement gathers while it is read (the statement's own elements, a
// balance, an entry, or one transaction's details): the text of each element it uses, by
// its path below the part ("Amt", "BookgDt/Dt", "RltdPties/Dbtr/Nm").
struct Part {
    int depth = 0; // the depth of the part's own element
    int line = 0;
    QHash<QString, QString> texts;
    QHash<QString, int> lines;

    // The first of the paths with a text; "NOTPROVIDED" is no text.
    QString first(std::initializer_list<const char*> paths) const {
        for (const char* path : paths) {
            const QString text = texts.value(QLatin1String(path)).trimmed();
            if (!text.isEmpty() &&
                text.compare(QLatin1String("NOTPROVIDED"), Qt::CaseInsensitive) != 0)
                return text;
        }
        return {};
    }
    int lineOf(const QString& path) const { return lines.value(path, line); }
};

enum class Kind { Statement, Balance, Entry, Details };

const QSet<QString>& wanted(Kind kind) {
    static const auto set = [](std::initializer_list<const char*> paths) {
        QSet<QString> result;
        for (const char* path : paths)
            result.insert(QLatin1String(path));
        return result;
    };
    static const QSet<QString> statement = set({"Acct/Id/IBAN", "Acct/Id/Othr/Id", "Acct/Ccy"});
    static const QSet<QString> balance =
        set({"Tp/CdOrPrtry/Cd", "Amt", "CdtDbtInd", "Dt/Dt", "Dt/DtTm"});
    static const QSet<QString> entry =
        set({"Amt", "CdtDbtInd", "Sts", "Sts/Cd", "BookgDt/Dt", "BookgDt/DtTm", "ValDt/Dt",
             "ValDt/DtTm", "AcctSvcrRef", "NtryRef", "AddtlNtryInf"});
    static const QSet<QString> details =
        set({"Refs/AcctSvcrRef", "Refs/EndToEndId", "Refs/ChqNb", "Refs/InstrId",
             "AmtDtls/TxAmt/Amt", "Amt", "CdtDbtInd", "RltdPties/Dbtr/Nm", "RltdPties/Dbtr/Pty/Nm",
             "RltdPties/UltmtDbtr/Nm", "RltdPties/UltmtDbtr/Pty/Nm", "RltdPties/Cdtr/Nm",
             "RltdPties/Cdtr/Pty/Nm", "RltdPties/UltmtCdtr/Nm", "RltdPties/UltmtCdtr/Pty/Nm",
             "RmtInf/Ustrd", "RmtInf/Strd/CdtrRefInf/Ref", "AddtlTxInf"});
    switch (kind) {
    case Kind::Statement:
        return statement;
    case Kind::Balance:
        return balance;
    case Kind::Entry:
        return entry;
    case Kind::Details:
        break;
    }
    return details;
}

// The element names the paths above are made of, each one shared text: an element is named
// without a copy of its name, and any other name is "?", part of no path used.
const QString& known(QStringView name) {
    static const QStringList names = [] {
        QStringList all;
        for (const char* name :
             {"Stmt",         "Rpt",       "Ntfctn",     "Ntry",      "Bal",         "NtryDtls",
              "TxDtls",       "Acct",      "Id",         "IBAN",      "Othr",        "Ccy",
              "Tp",           "CdOrPrtry", "Cd",         "Amt",       "CdtDbtInd",   "Dt",
              "DtTm",         "Sts",       "BookgDt",    "ValDt",     "AcctSvcrRef", "NtryRef",
              "AddtlNtryInf", "Refs",      "EndToEndId", "ChqNb",     "InstrId",     "AmtDtls",
              "TxAmt",        "RltdPties", "Dbtr",       "UltmtDbtr", "Cdtr",        "UltmtCdtr",
              "Pty",          "Nm",        "RmtInf",     "Ustrd",     "Strd",        "CdtrRefInf",
              "Ref",          "AddtlTxInf"})
            all.append(QLatin1String(name));
        all.append(QStringLiteral("?"));
        return all;
    }();
    for (const QString& each : names)
        if (name == each)
            return each;
    return names.last();
}

// Whether an element of this name ends a path used (the others only lead to one).
bool endsPath(const QString& name) {
    static const QSet<QString> leaves = [] {
        QSet<QString> all;
        for (const Kind kind : {Kind::Statement, Kind::Balance, Kind::Entry, Kind::Details})
            for (const QString& path : wanted(kind))
                all.insert(path.section(QLatin1Char('/'), -1));
        return all;
    }();
    return leaves.contains(name);
}

// Repeated elements whose texts are joined with a space; of any other, the first counts.
bool joined(const QString& path) {
    return path == QLatin1String("RmtInf/Ustrd") || path == QLatin1String("AddtlTxInf") ||
           path == QLatin1String("AddtlNtryInf");
}

[[noreturn]] void fail(int line, const QString& what) {
    throw StatementError(QStringLiteral("Line %1: %2").arg(line).arg(what));
}

// The part's amount (at `path`) with the sign of its credit/debit indicator, or of
// `indicator` when the part gives none.
Money signedAmount(const Part& part, const QString& path, const char* element,
                   const QString& indicatorGiven = {}) {
    const QString text = part.texts.value(path).trimmed();
    const int line = part.lineOf(path);
    if (text.isEmpty())
        fail(part.line, QStringLiteral("the %1 has no <Amt>.").arg(QLatin1String(element)));
    // ISO 20022 amounts are unsigned with a full stop; the indicator gives the direction.
    const std::optional<Money> value = StatementText::amount(text, QLatin1Char('.'));
    if (!value || text.contains(QLatin1Char(',')) || text.startsWith(QLatin1Char('-')))
        fail(line, QStringLiteral("<Amt> \"%1\" is not an amount.").arg(text));
    QString indicator = part.texts.value(QStringLiteral("CdtDbtInd")).trimmed();
    if (indicator.isEmpty())
        indicator = indicatorGiven;
    if (indicator == QLatin1String("CRDT"))
        return *value;
    if (indicator == QLatin1String("DBIT"))
        return -*value;
    fail(part.lineOf(QStringLiteral("CdtDbtInd")),
         QStringLiteral("<CdtDbtInd> \"%1\" is neither CRDT nor DBIT.").arg(indicator));
}

// A date (<Dt>) or a date and time (<DtTm>); a time with a zone is turned into the date it
// is here. Invalid when the part has neither.
QDate isoDate(const Part& part, const QString& prefix, int& line) {
    QString text = part.texts.value(prefix + QStringLiteral("/Dt")).trimmed();
    line = part.lineOf(prefix + QStringLiteral("/Dt"));
    if (!text.isEmpty())
        return QDate::fromString(text, Qt::ISODate);
    text = part.texts.value(prefix + QStringLiteral("/DtTm")).trimmed();
    line = part.lineOf(prefix + QStringLiteral("/DtTm"));
    const QDateTime moment = QDateTime::fromString(text, Qt::ISODate);
    if (!moment.isValid())
        return QDate::fromString(text.left(10), Qt::ISODate);
    return moment.timeSpec() == Qt::LocalTime ? moment.date() : moment.toLocalTime().date();
}

QDate requiredDate(const Part& part, const QString& prefix, const char* element) {
    int line = part.line;
    const QDate date = isoDate(part, prefix, line);
    if (!date.isValid())
        fail(line, QStringLiteral("the %1 has no valid date in <%2>.")
                       .arg(QLatin1String(element), prefix));
    return date;
}

// The other party: for money in the debtor, for money out the creditor.
QString party(const Part& details, bool moneyIn) {
    return moneyIn ? details.first({"RltdPties/Dbtr/Nm", "RltdPties/Dbtr/Pty/Nm",
                                    "RltdPties/UltmtDbtr/Nm", "RltdPties/UltmtDbtr/Pty/Nm"})
                   : details.first({"RltdPties/Cdtr/Nm", "RltdPties/Cdtr/Pty/Nm",
                                    "RltdPties/UltmtCdtr/Nm", "RltdPties/UltmtCdtr/Pty/Nm"});
}

QString reference(const Part& details, const Part& entry) {
    QString text = details.first({"Refs/ChqNb", "Refs/EndToEndId", "RmtInf/Strd/CdtrRefInf/Ref"});
    if (text.isEmpty())
        text = entry.first({"NtryRef"});
    if (text.isEmpty())
        text = details.first({"Refs/InstrId"});
    return text;
}

QString detailsAmountPath(const Part& details) {
    for (const char* path : {"AmtDtls/TxAmt/Amt", "Amt"})
        if (!details.texts.value(QLatin1String(path)).trimmed().isEmpty())
            return QLatin1String(path);
    return {};
}

// Reads the file as a stream, one part at a time.
class Reader {
public:
    explicit Reader(const QByteArray& data) : m_bytes(data) {
        // A byte-order mark says more than a declared encoding that UTF-16 text cannot have;
        // bytes that are not UTF-8, with no encoding declared, are Windows-1252 as in the
        // other formats.
        const bool utf16 = data.startsWith("\xff\xfe") || data.startsWith("\xfe\xff");
        if (utf16 ||
            (!data.left(256).contains("encoding=") && !QByteArrayView(data).isValidUtf8())) {
            m_xml.addData(StatementText::decode(data));
        } else {
            // Through a device the reader takes the file a piece at a time, not a copy of it.
            m_device.setBuffer(&m_bytes);
            m_device.open(QIODevice::ReadOnly);
            m_xml.setDevice(&m_device);
        }
    }

    QList<Statement> read() {
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isStartElement())
                start();
            else if (m_xml.isCharacters() && m_capture)
                characters();
            else if (m_xml.isEndElement())
                end();
        }
        if (m_xml.hasError())
            fail(int(m_xml.lineNumber()),
                 QStringLiteral("the XML is not well formed (%1).").arg(m_xml.errorString()));
        if (!m_statementSeen)
            fail(1, QStringLiteral("the file holds no bank statement (%1); Quillan reads the "
                                   "ISO 20022 statement, account report and debit/credit "
                                   "notification (camt.053, camt.052, camt.054).")
                        .arg(m_kind.isEmpty() ? QStringLiteral("no XML element") : m_kind));
        return m_statements;
    }

private:
    void start() {
        ++m_depth;
        m_capture = nullptr;
        const int line = int(m_xml.lineNumber());
        const QString& name = known(m_xml.name());
        if (m_depth <= kTrackedDepth) {
            m_names.resize(m_depth - 1);
            m_names.append(name);
        }
        if (m_depth <= 2 && m_kind.isEmpty()) {
            // The message's kind, for a refusal: the namespace's last part, or the element.
            const QString ns = m_xml.namespaceUri().toString();
            m_kind = ns.contains(QLatin1Char(':')) ? ns.section(QLatin1Char(':'), -1) : QString();
            if (m_kind.isEmpty() && m_depth == 1)
                m_kind = QStringLiteral("<%1>").arg(m_xml.name().left(kLongestName));
        }
        if (!m_statement && (name == QLatin1String("Stmt") || name == QLatin1String("Rpt") ||
                             name == QLatin1String("Ntfctn"))) {
            m_statementSeen = true;
            m_statement = Part{m_depth, line, {}, {}};
            m_building = Statement{};
            return;
        }
        if (m_statement && !m_entry && !m_balance && m_depth == m_statement->depth + 1) {
            if (name == QLatin1String("Ntry")) {
                m_entry = Part{m_depth, line, {}, {}};
                return;
            }
            if (name == QLatin1String("Bal")) {
                m_balance = Part{m_depth, line, {}, {}};
                return;
            }
        }
        if (m_entry && !m_details && name == QLatin1String("TxDtls") &&
            m_depth == m_entry->depth + 2 &&
            m_names.value(m_depth - 2) == QLatin1String("NtryDtls")) {
            m_details = Part{m_depth, line, {}, {}};
            return;
        }
        Part* part = m_details     ? &*m_details
                     : m_entry     ? &*m_entry
                     : m_balance   ? &*m_balance
                     : m_statement ? &*m_statement
                                   : nullptr;
        if (!part || m_depth > kTrackedDepth || m_depth - part->depth > kDeepestWanted ||
            !endsPath(name))
            return;
        const Kind kind = m_details   ? Kind::Details
                          : m_entry   ? Kind::Entry
                          : m_balance ? Kind::Balance
                                      : Kind::Statement;
        const QString path = m_names.mid(part->depth).join(QLatin1Char('/'));
        if (!wanted(kind).contains(path))
            return;
        QString& text = part->texts[path];
        if (!text.isEmpty()) {
            if (!joined(path))
                return;
            text += QLatin1Char(' ');
        }
        part->lines.insert(path, line);
        m_capture = &text;
        if (name == QLatin1String("Amt") && m_currency.isEmpty())
            m_currency = m_xml.attributes().value(QLatin1String("Ccy")).toString().trimmed();
    }

    void characters() {
        const QStringView text = m_xml.text();
        if (m_capture->size() < kLongestText)
            m_capture->append(text.left(kLongestText - m_capture->size()));
    }

    void end() {
        m_capture = nullptr;
        if (m_details && m_depth == m_details->depth) {
            m_entryDetails.append(std::move(*m_details));
            m_details.reset();
        } else if (m_entry && m_depth == m_entry->depth) {
            finishEntry();
            m_entry.reset();
            m_entryDetails.clear();
        } else if (m_balance && m_depth == m_balance->depth) {
            finishBalance();
            m_balance.reset();
        } else if (m_statement && m_depth == m_statement->depth) {
            finishStatement();
            m_statement.reset();
        }
        if (m_depth <= kTrackedDepth)
            m_names.resize(m_depth - 1);
        --m_depth;
    }

    void finishEntry() {
        const Part& entry = *m_entry;
        // Only booked entries are on the statement; pending and information-only ones may
        // still change, and may have no booking date yet.
        const QString status = entry.first({"Sts/Cd", "Sts"});
        if (!status.isEmpty() && status != QLatin1String("BOOK")) {
            ++m_building.pendingLeftOut;
            return;
        }
        const Money amount = signedAmount(entry, QStringLiteral("Amt"), "entry");
        int dateLine = entry.line;
        QDate date = isoDate(entry, QStringLiteral("BookgDt"), dateLine);
        if (!date.isValid())
            date = isoDate(entry, QStringLiteral("ValDt"), dateLine);
        if (!date.isValid())
            requiredDate(entry, QStringLiteral("BookgDt"), "entry");
        const QString entryId = entry.first({"AcctSvcrRef", "NtryRef"});
        const QString indicator = entry.texts.value(QStringLiteral("CdtDbtInd")).trimmed();

        // Several transactions booked as one, each with its own amount: a line each, when
        // their amounts make up the entry's (else the entry stays one line, as booked).
        bool batch = m_entryDetails.size() > 1;
        QList<Money> amounts;
        Money sum;
        for (const Part& details : std::as_const(m_entryDetails)) {
            batch = batch && !detailsAmountPath(details).isEmpty();
            if (!batch)
                break;
            amounts.append(
                signedAmount(details, detailsAmountPath(details), "transaction", indicator));
            sum += amounts.last();
        }
        if (batch && sum == amount) {
            for (qsizetype i = 0; i < m_entryDetails.size(); ++i) {
                const Part& details = m_entryDetails.at(i);
                StatementLine line;
                line.sourceLine = details.line;
                line.date = date;
                line.amount =
                    signedAmount(details, detailsAmountPath(details), "transaction", indicator);
                line.bankId = entryId.isEmpty() ? details.first({"Refs/AcctSvcrRef"})
                                                : QStringLiteral("%1/%2").arg(entryId).arg(i + 1);
                line.reference = reference(details, Part{});
                line.name = party(details, line.amount.units() >= 0);
                line.memo = details.first({"RmtInf/Ustrd", "AddtlTxInf"});
                add(std::move(line));
            }
            return;
        }
        StatementLine line;
        line.sourceLine = entry.line;
        line.date = date;
        line.amount = amount;
        const Part none;
        const Part& details = m_entryDetails.isEmpty() ? none : m_entryDetails.front();
        line.bankId = entryId.isEmpty() ? details.first({"Refs/AcctSvcrRef"}) : entryId;
        // The details of one transaction give its party and text: texts of different
        // transactions are never run together.
        line.reference = reference(details, entry);
        line.name = party(details, amount.units() >= 0);
        line.memo = details.first({"RmtInf/Ustrd", "AddtlTxInf"});
        if (line.memo.isEmpty())
            line.memo = entry.first({"AddtlNtryInf"});
        add(std::move(line));
    }

    void add(StatementLine line) {
        StatementText::cap(line);
        m_building.lines.append(std::move(line));
    }

    void finishBalance() {
        const Part& balance = *m_balance;
        const QString code = balance.first({"Tp/CdOrPrtry/Cd"});
        // The closing booked balance; an account report during the day may have only an
        // interim booked one.
        const bool closing = code == QLatin1String("CLBD");
        if (!closing && (code != QLatin1String("ITBD") || m_closingSeen))
            return;
        const Money amount = signedAmount(balance, QStringLiteral("Amt"), "closing balance");
        const QDate date = requiredDate(balance, QStringLiteral("Dt"), "closing balance");
        if (!closing && m_building.closingDate.isValid() && date < m_building.closingDate)
            return;
        m_closingSeen = m_closingSeen || closing;
        m_building.closingBalance = amount;
        m_building.closingDate = date;
    }

    void finishStatement() {
        const Part& statement = *m_statement;
        m_building.accountId = statement.first({"Acct/Id/IBAN", "Acct/Id/Othr/Id"});
        m_building.currency = statement.first({"Acct/Ccy"});
        if (m_building.currency.isEmpty())
            m_building.currency = m_currency;
        m_building.currency = m_building.currency.toUpper();
        StatementText::fillMissingIds(m_building.lines);
        m_statements.append(std::move(m_building));
        m_building = Statement{};
        m_currency.clear();
        m_closingSeen = false;
    }

    QByteArray m_bytes;
    QBuffer m_device;
    QXmlStreamReader m_xml;
    int m_depth = 0;
    QStringList m_names; // the names of the open elements, as deep as kTrackedDepth
    QString m_kind;
    bool m_statementSeen = false;
    std::optional<Part> m_statement;
    std::optional<Part> m_balance;
    std::optional<Part> m_entry;
    std::optional<Part> m_details;
    QList<Part> m_entryDetails;
    QString* m_capture = nullptr; // the text the current element's characters go to
    Statement m_building;
    QString m_currency; // the first amount's currency, when the account states none
    bool m_closingSeen = false;
    QList<Statement> m_statements;
};

} // namespace

namespace CamtReader {

bool looksLike(const QByteArray& data) {
    const QString head = StatementText::decode(data.left(4096)).trimmed();
    return head.startsWith(QLatin1Char('<'));
}

QList<Statement> read(const QByteArray& data) {
    StatementText::checkSize(data.size());
    return Reader(data).read();
}

} // namespace CamtReader
