#include "voucherrules.h"
#include "data/messages.h"

#include "data/codes.h"
#include "data/failure.h"
#include "voucherfields.h"
#include "voucherkind.h"

namespace VoucherRules {

namespace {

Money signedBy(int sign, Money value) {
    return sign < 0 ? -value : value;
}

} // namespace

QString offerQuestion(const VoucherKind& kind, qint32 number) {
    return kind.offerText + QString::number(number) +
           QStringLiteral(".\r\n\r\nWould you like to use it?");
}

std::optional<double> rateNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString rateFromShown(const QString& shown) {
    bool ok = false;
    float rate = shown.chopped(1).trimmed().toFloat(&ok);
    if (!ok)
        throw Failure::typeMismatch();
    if (rate > 0)
        rate /= 100.0f;
    return QString::number(double(rate), 'g', 7);
}

QString rateShown(double fraction) {
    return QString::number(fraction * 100.0, 'f', 2) + QLatin1Char('%');
}

std::optional<double> rateToStore(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (const std::optional<double> number = rateNumber(trimmed))
        return number;
    if (trimmed.endsWith(QLatin1Char('%')))
        if (const std::optional<double> percent = rateNumber(trimmed.chopped(1)))
            return *percent / 100.0;
    throw Failure::typeMismatch();
}

QString taxAmountText(const QString& baseText, const QString& rateText) {
    const std::optional<Money> base = amount(baseText);
    const std::optional<double> rate = rateNumber(rateText);
    if (!base || !rate)
        throw Failure::typeMismatch();
    return Money::fromDouble(base->toDouble() * *rate).format(Money::Format::Written);
}

QString totalText(const QString& baseText, const QString& taxText) {
    Money total = amount(baseText).value_or(Money());
    if (!Money::isBlank(taxText))
        total += amount(taxText).value_or(Money());
    return total.format(Money::Format::Written);
}

QString correctedType(const VoucherKind& kind, const QString& type) {
    return kind.typeCodes.contains(type) ? type : kind.defaultType;
}

std::optional<Refusal> validate(const VoucherKind& kind, VoucherFields& fields,
                                const Settings& settings, const QDate& today) {
    if (fields.transDate.trimmed().isEmpty())
        fields.transDate = Codes::dateToStored(today);

    if (Money::isBlank(fields.baseAmount))
        return Refusal{Messages::missingAmount(), QStringLiteral("txtOffsetAmount")};
    // Amounts that are not numbers are refused here with the field check's own message.
    if (!isAmount(fields.baseAmount))
        return Refusal{Messages::notANumber(), QStringLiteral("txtOffsetAmount")};
    if (!Money::isBlank(fields.taxAmount) && !isAmount(fields.taxAmount))
        return Refusal{Messages::notANumber(), QStringLiteral("txtGSTAmount")};

    if (fields.taxCode.trimmed().isEmpty()) {
        fields.taxRate.clear();
        fields.taxAccount.clear();
        fields.taxDept.clear();
        fields.taxAmount.clear();
    }
    // Worked out after the tax fields are settled, so that it is always base plus tax.
    fields.total = totalText(fields.baseAmount, fields.taxAmount);

    if (fields.party.trimmed().isEmpty())
        return Refusal{kind.missingPartyMessage, kind.partyField};

    if (fields.transType.isEmpty())
        return Refusal{Messages::missingType(), QStringLiteral("txtTransType")};
    fields.transType = correctedType(kind, fields.transType);

    if (fields.transId.trimmed().isEmpty())
        return Refusal{kind.missingNumberMessage, QStringLiteral("txtTransID")};

    return EntryRules::settleAccounts(fields.accountCode, settings, fields.bankAccount,
                                      fields.bankDept);
}

std::optional<Refusal> writeRefusal(const VoucherFields& fields, const Settings& settings) {
    for (const auto& [text, field] :
         {std::pair{fields.baseAmount, QStringLiteral("txtOffsetAmount")},
          std::pair{fields.taxAmount, QStringLiteral("txtGSTAmount")}})
        if (std::optional<Refusal> refusal = EntryRules::limitRefusal(text, field))
            return refusal;
    // Tax that posts to no account would leave the entry unbalanced in the ledger.
    const std::optional<Money> tax = Money::parse(fields.taxAmount);
    if (!fields.taxCode.trimmed().isEmpty() && tax && !tax->isZero() &&
        fields.taxAccount.trimmed().isEmpty())
        return Refusal{Messages::taxCodeWithoutAccount(), QStringLiteral("cboGSTCode")};
    return EntryRules::writeRefusal(settings);
}

DoubleEntry doubleEntry(const VoucherKind& kind, const QString& totalText, const QString& baseText,
                        const QString& taxText) {
    if (Money::isBlank(totalText) || Money::isBlank(baseText))
        return {};
    const Money base = *amount(baseText);
    const Money tax = Money::isBlank(taxText) ? Money() : *amount(taxText);
    return {signedBy(kind.bankSign, base + tax), signedBy(-kind.bankSign, base),
            signedBy(-kind.bankSign, tax)};
}

} // namespace VoucherRules
