#include "voucherstore.h"

#include "data/database.h"
#include "data/failure.h"
#include "voucherfields.h"
#include "voucherkind.h"

#include <QSqlQuery>
#include <limits>

namespace {

Failure noCurrentRecord() {
    return Failure(3021, QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                        "deleted. Requested operation requires a current record."));
}

} // namespace

qint32 VoucherStore::readCounter() const {
    QSqlQuery query =
        m_db.exec(QStringLiteral("SELECT %1 FROM tblBankDetails ORDER BY rowid LIMIT 1")
                      .arg(m_kind.counterColumn));
    if (!query.next())
        throw noCurrentRecord();
    const QVariant value = query.value(0);
    if (value.isNull())
        throw Failure(94, QStringLiteral("Invalid use of Null"));
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<qint32>::max())
        throw Failure(6, QStringLiteral("Overflow"));
    return qint32(number);
}

bool VoucherStore::partyExists(const QString& code) const {
    return m_db
        .scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? LIMIT 1")
                    .arg(m_kind.partyTable, m_kind.partyKeyColumn),
                {code})
        .isValid();
}

bool VoucherStore::accountExists(const QString& code) const {
    return m_db
        .scalar(QStringLiteral("SELECT 1 FROM tblChartOfAccounts WHERE AccountCode = ? LIMIT 1"),
                {code})
        .isValid();
}

bool VoucherStore::transIdExists(const QString& transId) const {
    return m_db
        .scalar(QStringLiteral("SELECT 1 FROM tblCashbook WHERE TransID = ? LIMIT 1"), {transId})
        .isValid();
}

void VoucherStore::save(const VoucherFields& fields, const QString& originalKey,
                        std::optional<qint32> counterValue) const {
    // Read every value before the transaction starts: a text that is not an amount stops here.
    const QVariantMap columns = fields.toColumns(m_kind);
    QStringList names;
    QVariantList values;
    for (auto it = columns.cbegin(); it != columns.cend(); ++it) {
        names << it.key();
        values << it.value();
    }

    Transaction transaction(m_db);
    if (originalKey.isEmpty()) {
        QStringList marks;
        for (qsizetype i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        m_db.exec(QStringLiteral("INSERT INTO tblCashbook (%1) VALUES (%2)")
                      .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                  values);
    } else {
        QStringList sets;
        for (const QString& name : names)
            sets << name + QStringLiteral(" = ?");
        values << originalKey;
        if (m_db.execute(QStringLiteral("UPDATE tblCashbook SET %1 WHERE TransID = ?")
                             .arg(sets.join(QStringLiteral(", "))),
                         values) == 0)
            throw noCurrentRecord();
    }
    if (counterValue) {
        const int changed =
            m_db.execute(QStringLiteral("UPDATE tblBankDetails SET %1 = ? WHERE rowid = "
                                        "(SELECT rowid FROM tblBankDetails ORDER BY rowid LIMIT 1)")
                             .arg(m_kind.counterColumn),
                         {*counterValue});
        if (changed == 0)
            throw noCurrentRecord();
    }
    transaction.commit();
}
