#include "camtreader.h"

#include <QHash>
#include <QXmlStreamReader>

namespace {

// What one entry or balance gathers while it is read: the text of each element by its
// path below the entry ("Amt", "BookgDt/Dt", "NtryDtls/TxDtls/Refs/ChqNb").
struct Gathered {
    QHash<QString, QString> texts;
    QHash<QString, int> lines;
    int line = 0;

    QString first(std::initializer_list<const char*> paths) const {
        for (const char* path : paths) {
            const QString text = texts.value(QLatin1String(path)).trimmed();
            if (!text.isEmpty())
                return text;
        }
        return {};
    }
};

[[noreturn]] void fail(int line, const QString& what) {
    throw StatementError(QStringLiteral("Line %1: %2").arg(line).arg(what));
}

Money signedAmount(const Gathered& g, const char* element) {
    const QString text = g.texts.value(QStringLiteral("Amt")).trimmed();
    const int line = g.lines.value(QStringLiteral("Amt"), g.line);
    if (text.isEmpty())
        fail(g.line, QStringLiteral("the %1 has no <Amt>.").arg(QLatin1String(element)));
    // ISO 20022 amounts are unsigned with a full stop; the indicator gives the direction.
    const std::optional<Money> value = StatementText::amount(text, QLatin1Char('.'));
    if (!value || text.contains(QLatin1Char(',')) || text.startsWith(QLatin1Char('-')))
        fail(line, QStringLiteral("<Amt> \"%1\" is not an amount.").arg(text));
    const QString indicator = g.texts.value(QStringLiteral("CdtDbtInd")).trimmed();
    if (indicator == QLatin1String("CRDT"))
        return *value;
    if (indicator == QLatin1String("DBIT"))
        return -*value;
    fail(g.lines.value(QStringLiteral("CdtDbtInd"), g.line),
         QStringLiteral("<CdtDbtInd> \"%1\" is neither CRDT nor DBIT.").arg(indicator));
}

QDate isoDate(const Gathered& g, const QString& prefix, const char* element) {
    QString text = g.texts.value(prefix + QStringLiteral("/Dt")).trimmed();
    int line = g.lines.value(prefix + QStringLiteral("/Dt"), g.line);
    if (text.isEmpty()) {
        text = g.texts.value(prefix + QStringLiteral("/DtTm")).trimmed().left(10);
        line = g.lines.value(prefix + QStringLiteral("/DtTm"), g.line);
    }
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        fail(line, QStringLiteral("the %1 has no valid date in <%2>.")
                       .arg(QLatin1String(element), prefix));
    return date;
}

} // namespace

namespace CamtReader {

bool looksLike(const QByteArray& data) {
    const QByteArray head = data.left(4096);
    return head.contains("BkToCstmrStmt") || head.contains("camt.053");
}

Statement read(const QByteArray& data) {
    QXmlStreamReader xml(data);
    Statement statement;
    QStringList path; // element names below the current entry or balance
    std::optional<Gathered> gathering;
    bool inEntry = false;
    bool statementSeen = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const int line = int(xml.lineNumber());
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            if (name == QLatin1String("Stmt"))
                statementSeen = true;
            if (!gathering && (name == QLatin1String("Ntry") || name == QLatin1String("Bal"))) {
                gathering = Gathered{};
                gathering->line = line;
                inEntry = name == QLatin1String("Ntry");
                path.clear();
                continue;
            }
            if (gathering)
                path.append(name);
        } else if (xml.isCharacters() && gathering && !path.isEmpty()) {
            const QString key = path.join(QLatin1Char('/'));
            gathering->texts[key] += xml.text().toString();
            gathering->lines.insert(key, line);
        } else if (xml.isEndElement() && gathering) {
            if (!path.isEmpty()) {
                path.removeLast();
                continue;
            }
            const Gathered g = *gathering;
            gathering.reset();
            if (inEntry) {
                StatementLine entry;
                entry.sourceLine = g.line;
                entry.amount = signedAmount(g, "entry");
                entry.date = isoDate(g, QStringLiteral("BookgDt"), "entry");
                entry.bankId =
                    g.first({"AcctSvcrRef", "NtryRef", "NtryDtls/TxDtls/Refs/AcctSvcrRef"});
                entry.reference =
                    g.first({"NtryDtls/TxDtls/Refs/ChqNb", "NtryDtls/TxDtls/Refs/EndToEndId",
                             "NtryRef", "NtryDtls/TxDtls/Refs/InstrId"});
                if (entry.reference == QLatin1String("NOTPROVIDED"))
                    entry.reference.clear();
                entry.name = g.first({"NtryDtls/TxDtls/RltdPties/Cdtr/Nm",
                                      "NtryDtls/TxDtls/RltdPties/Dbtr/Nm",
                                      "NtryDtls/TxDtls/RltdPties/Cdtr/Pty/Nm",
                                      "NtryDtls/TxDtls/RltdPties/Dbtr/Pty/Nm"});
                entry.memo = g.first(
                    {"NtryDtls/TxDtls/RmtInf/Ustrd", "AddtlNtryInf", "NtryDtls/TxDtls/AddtlTxInf"});
                statement.lines.append(entry);
            } else if (g.first({"Tp/CdOrPrtry/Cd"}) == QLatin1String("CLBD")) {
                statement.closingBalance = signedAmount(g, "closing balance");
                statement.closingDate = isoDate(g, QStringLiteral("Dt"), "closing balance");
            }
        }
    }
    if (xml.hasError())
        fail(int(xml.lineNumber()),
             QStringLiteral("the XML is not well formed (%1).").arg(xml.errorString()));
    if (!statementSeen)
        fail(1, QStringLiteral("the file holds no camt.053 statement (<Stmt>)."));
    StatementText::fillMissingIds(statement.lines);
    return statement;
}

} // namespace CamtReader
