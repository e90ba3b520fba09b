#include "bankentryrules.h"
#include "data/messages.h"

#include "bankentryfields.h"
#include "data/codes.h"

namespace BankEntryRules {

using EntryRules::Refusal;

QStringList typeCodes() {
    return {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")};
}

QStringList typeTexts() {
    return {QStringLiteral("5. Bank Charge"), QStringLiteral("6. Bank Interest"),
            QStringLiteral("7. Miscellaneous")};
}

QString defaultType() {
    return QStringLiteral("5");
}

QString correctedType(const QString& type) {
    return typeCodes().contains(type) ? type : defaultType();
}

void setDerived(BankEntryFields& fields) {
    const std::optional<Money> a = EntryRules::amount(fields.amount);
    if (!a) {
        fields.total.clear();
        fields.doubleEntryOffset.clear();
        fields.doubleEntryBank.clear();
        return;
    }
    fields.total = a->toPlainString();
    fields.doubleEntryOffset = a->toPlainString();
    fields.doubleEntryBank = (-*a).toPlainString();
}

std::optional<Refusal> validate(BankEntryFields& fields, const EntryRules::Settings& settings,
                                const QDate& today) {
    if (fields.transDate.trimmed().isEmpty())
        fields.transDate = Codes::dateToStored(today);

    const QString amountField = QStringLiteral("txtOffsetAmount");
    if (Money::isBlank(fields.amount))
        return Refusal{Messages::missingAmount(), amountField};
    // An amount that is not a number is refused here with the field check's own message.
    if (!EntryRules::isAmount(fields.amount))
        return Refusal{Messages::notANumber(), amountField};
    setDerived(fields);

    if (fields.transType.isEmpty())
        return Refusal{Messages::missingType(), QStringLiteral("txtTransType")};
    fields.transType = correctedType(fields.transType);

    if (fields.transId.trimmed().isEmpty())
        return Refusal{Messages::missingTransId(), QStringLiteral("txtTransID")};

    return EntryRules::settleAccounts(fields.accountCode, settings, fields.bankAccount,
                                      fields.bankDept);
}

std::optional<Refusal> writeRefusal(const BankEntryFields& fields,
                                    const EntryRules::Settings& settings) {
    if (std::optional<Refusal> refusal =
            EntryRules::limitRefusal(fields.amount, QStringLiteral("txtOffsetAmount")))
        return refusal;
    return EntryRules::writeRefusal(settings);
}

} // namespace BankEntryRules
