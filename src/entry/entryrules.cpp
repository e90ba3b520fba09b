#include "entryrules.h"

#include "data/failure.h"
#include "data/messages.h"

namespace EntryRules {

bool sameCode(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<Money> amount(const QString& text) {
    if (Money::isBlank(text))
        return std::nullopt;
    const std::optional<Money> value = Money::parse(text);
    if (!value)
        throw Failure::typeMismatch();
    return value;
}

bool isAmount(const QString& text) {
    return Money::parse(text).has_value();
}

std::optional<Refusal> limitRefusal(const QString& text, const QString& field) {
    const std::optional<Money> value = Money::parse(text);
    if (value && !value->withinEntryLimit())
        return Refusal{Messages::amountOutOfRange(), field};
    return std::nullopt;
}

std::optional<Refusal> offsetAccountRefusal(const QString& account, const Settings& settings) {
    const QString field = QStringLiteral("cboGLOffsetAccountCode");
    if (account.trimmed().isEmpty())
        return Refusal{Messages::missingAccount(), field};
    if (sameCode(account, settings.bankAccount))
        return Refusal{Messages::bankAccountAsOffset(), field};
    if (settings.integrateWithAP && sameCode(account, settings.apControl))
        return Refusal{Messages::apControlAsOffset(), field};
    if (settings.integrateWithAR && sameCode(account, settings.arControl))
        return Refusal{Messages::arControlAsOffset(), field};
    return std::nullopt;
}

std::optional<Refusal> writeRefusal(const Settings& settings) {
    if (settings.bankAccount.trimmed().isEmpty())
        return Refusal{Messages::bankAccountNotSet(), QStringLiteral("cboGLOffsetAccountCode")};
    return std::nullopt;
}

std::optional<Refusal> settleAccounts(const QString& offsetAccount, const Settings& settings,
                                      QString& bankAccount, QString& bankDept) {
    if (std::optional<Refusal> refusal = offsetAccountRefusal(offsetAccount, settings))
        return refusal;
    bankAccount = settings.bankAccount;
    bankDept = settings.bankDept;
    return std::nullopt;
}

} // namespace EntryRules
