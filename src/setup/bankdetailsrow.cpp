#include "bankdetailsrow.h"

#include "data/database.h"

#include <QSqlQuery>
#include <limits>

namespace {

std::optional<qint32> storedNumber(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(number);
}

QVariant boundNumber(const std::optional<qint32>& number) {
    return number ? QVariant(*number) : QVariant(QMetaType(QMetaType::Int));
}

} // namespace

std::optional<BankDetailsRow> BankDetailsRow::load(const Database& db) {
    QSqlQuery query = db.exec(
        QStringLiteral(R"(SELECT "CurrentYear", "CurrentMonth", "BankName", "BankAccountNumber", )"
                       R"("StartingBankBalance", )"
                       R"("NextCheque", "NextReceipt" FROM "tblBankDetails" ORDER BY %1 LIMIT 1)")
            .arg(db.dialect().settingsRowKey()));
    if (!query.next())
        return std::nullopt;
    BankDetailsRow row;
    row.currentYear = query.value(0).toString();
    row.currentMonth = query.value(1).toString();
    row.bankName = query.value(2).toString();
    row.bankAccountNumber = query.value(3).toString();
    if (!query.value(4).isNull())
        row.startingBankBalance = Money::fromUnits(query.value(4).toLongLong());
    row.nextCheque = storedNumber(query.value(5));
    row.nextReceipt = storedNumber(query.value(6));
    return row;
}

bool BankDetailsRow::save(const Database& db) const {
    const QVariant balance = startingBankBalance ? QVariant(startingBankBalance->units())
                                                 : QVariant(QMetaType(QMetaType::LongLong));
    return db.execute(QStringLiteral(
                          R"(UPDATE "tblBankDetails" SET "CurrentYear" = ?, "CurrentMonth" = ?, )"
                          R"("BankName" = ?, "BankAccountNumber" = ?, "StartingBankBalance" = ?, )"
                          R"("NextCheque" = ?, "NextReceipt" = ? )"
                          R"(WHERE %1 = (SELECT min(%1) FROM "tblBankDetails"))")
                          .arg(db.dialect().settingsRowKey()),
                      {currentYear, currentMonth, bankName, bankAccountNumber, balance,
                       boundNumber(nextCheque), boundNumber(nextReceipt)}) > 0;
}

bool BankDetailsRow::isNumberingText(const QString& text) {
    return text.trimmed().isEmpty() || numberFromText(text).has_value();
}

std::optional<qint32> BankDetailsRow::numberFromText(const QString& text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const qlonglong number = digits.toLongLong();
    if (number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(number);
}

QString BankDetailsRow::numberText(const std::optional<qint32>& number) {
    return number ? QString::number(*number) : QString();
}
