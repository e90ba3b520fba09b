#include "cashbookstore.h"

#include "data/database.h"
#include "data/failure.h"
#include "data/sqlnames.h"

#include <QSqlQuery>
#include <QStringList>
#include <limits>

namespace {

// The counters live in the first row of tblBankDetails: its key, and the condition that finds it.
QString firstBankRow(const Database& db) {
    const QString key = db.dialect().settingsRowKey();
    return QStringLiteral(R"(%1 = (SELECT %1 FROM "tblBankDetails" ORDER BY %1 LIMIT 1))").arg(key);
}

} // namespace

QVariant CashbookStore::counterValue(const QString& column) const {
    return m_db.scalar(QStringLiteral(R"(SELECT %1 FROM "tblBankDetails" WHERE %2)")
                           .arg(SqlNames::quoted(column), firstBankRow(m_db)));
}

void CashbookStore::setCounter(const QString& column, qint64 value) const {
    if (m_db.execute(QStringLiteral(R"(UPDATE "tblBankDetails" SET %1 = ? WHERE %2)")
                         .arg(SqlNames::quoted(column), firstBankRow(m_db)),
                     {value}) == 0)
        throw Failure::noCurrentRecord();
}

qint32 CashbookStore::readCounter(const QString& column) const {
    const QVariant value = counterValue(column);
    if (!value.isValid())
        throw Failure::noCurrentRecord();
    if (value.isNull())
        throw Failure(ErrorNumber::InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<qint32>::max())
        throw Failure::overflow();
    return qint32(number);
}

qint32 CashbookStore::firstUnused(qint64 from) const {
    for (qint64 number = from;; ++number) {
        if (number > std::numeric_limits<qint32>::max())
            throw Failure::overflow();
        if (!transIdExists(QString::number(number)))
            return qint32(number);
    }
}

qint32 CashbookStore::nextUnusedNumber(const QString& column) const {
    return firstUnused(readCounter(column));
}

void CashbookStore::moveCountersPastUsedNumbers() const {
    for (const char* column : {"NextCheque", "NextReceipt"}) {
        const QVariant value = counterValue(QString::fromLatin1(column));
        if (!value.isValid() || value.isNull())
            continue;
        const qint64 current = value.toLongLong();
        if (transIdExists(QString::number(current)))
            setCounter(QString::fromLatin1(column), firstUnused(current));
    }
}

QList<CashbookStore::Account> CashbookStore::accountRows(const QString& code) const {
    QSqlQuery query =
        m_db.exec(QStringLiteral(R"(SELECT "AccountCode", "DeptCode", "AccountDescription" )"
                                 R"(FROM "tblChartOfAccounts" WHERE "AccountCode" = ? )"
                                 R"(ORDER BY "DeptCode")"),
                  {code});
    QList<Account> rows;
    while (query.next())
        rows.append(
            {query.value(0).toString(), query.value(1).toString(), query.value(2).toString()});
    return rows;
}

bool CashbookStore::transIdExists(const QString& transId) const {
    return m_db
        .scalar(QStringLiteral(R"(SELECT 1 FROM "tblCashbook" WHERE "TransID" = ? LIMIT 1)"),
                {transId})
        .isValid();
}

void CashbookStore::write(const QVariantMap& columns, const QString& originalKey,
                          const std::optional<Counter>& counter) const {
    QStringList names;
    QVariantList values;
    for (auto it = columns.cbegin(); it != columns.cend(); ++it) {
        names << SqlNames::quoted(it.key());
        values << it.value();
    }

    Transaction transaction(m_db);
    if (originalKey.isEmpty()) {
        QStringList marks;
        for (qsizetype i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        m_db.exec(QStringLiteral(R"(INSERT INTO "tblCashbook" (%1) VALUES (%2))")
                      .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                  values);
    } else {
        QStringList sets;
        for (const QString& name : names)
            sets << name + QStringLiteral(" = ?");
        values << originalKey;
        if (m_db.execute(QStringLiteral(R"(UPDATE "tblCashbook" SET %1 WHERE "TransID" = ?)")
                             .arg(sets.join(QStringLiteral(", "))),
                         values) == 0)
            throw Failure::noCurrentRecord();
    }
    if (counter)
        setCounter(counter->column, counter->value);
    moveCountersPastUsedNumbers();
    transaction.commit();
}
