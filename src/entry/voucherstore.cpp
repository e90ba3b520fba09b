#include "voucherstore.h"

#include "data/database.h"
#include "voucherfields.h"
#include "voucherkind.h"

qint32 VoucherStore::readCounter() const {
    return m_cashbook.readCounter(m_kind.counterColumn);
}

bool VoucherStore::partyExists(const QString& code) const {
    return m_db
        .scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? LIMIT 1")
                    .arg(m_kind.partyTable, m_kind.partyKeyColumn),
                {code})
        .isValid();
}

void VoucherStore::save(const VoucherFields& fields, const QString& originalKey,
                        std::optional<qint32> counterValue) const {
    // Every value is read before the transaction starts: a text that is not an amount stops
    // here.
    const QVariantMap columns = fields.toColumns(m_kind);
    std::optional<CashbookStore::Counter> counter;
    if (counterValue)
        counter = CashbookStore::Counter{m_kind.counterColumn, *counterValue};
    m_cashbook.write(columns, originalKey, counter);
}
