#include "entryrules.h"

#include "data/failure.h"

namespace EntryRules {

QString notANumberMessage() {
    return QStringLiteral("Must enter a number.");
}

QString missingAmountMessage() {
    return QStringLiteral("Must enter an amount.");
}

QString missingTypeMessage() {
    return QStringLiteral("Must enter a Transaction Type.");
}

QString duplicateNumberMessage() {
    return QStringLiteral(
        "That Transaction ID appears to already exist.\r\nTransaction IDs must be "
        "unique.\r\n\r\nPlease enter a new one.");
}

QString moveRefusedMessage() {
    return QStringLiteral(
        "The record has not passed validation.\r\n\r\nTherefore, you cannot move to "
        "the next/previous record.");
}

QString closeQuestion() {
    return QStringLiteral("The record has not passed validation.\r\n\r\nIf you close, your changes "
                          "will be abandoned.\r\n\r\nDo you wish to close?");
}

bool sameCode(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<Money> amount(const QString& text) {
    if (Money::isBlank(text))
        return std::nullopt;
    const std::optional<Money> value = Money::parse(text);
    if (!value)
        throw Failure(13, QStringLiteral("Type mismatch"));
    return value;
}

bool isAmount(const QString& text) {
    return Money::parse(text).has_value();
}

std::optional<Refusal> offsetAccountRefusal(const QString& account, const Settings& settings) {
    const QString field = QStringLiteral("cboGLOffsetAccountCode");
    if (account.trimmed().isEmpty())
        return Refusal{QStringLiteral("Must enter a GL Account Code."), field};
    if (sameCode(account, settings.bankAccount))
        return Refusal{
            QStringLiteral("You cannot select the GL Bank Account Code\r\nas it is the control "
                           "account and is used \r\nautomatically as one half of the "
                           "double-entry\r\nbook-keeping."),
            field};
    if (settings.integrateWithAP && sameCode(account, settings.apControl))
        return Refusal{QStringLiteral("Integrated with AP.  Therefore, you cannot\r\nchoose the AP "
                                      "Control Account."),
                       field};
    if (settings.integrateWithAR && sameCode(account, settings.arControl))
        return Refusal{QStringLiteral("Integrated with AR.  Therefore, you cannot\r\nchoose the AR "
                                      "Control Account."),
                       field};
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
