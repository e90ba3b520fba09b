#pragma once

#include "data/money.h"
#include "entry/entryrules.h"

#include <QDate>
#include <QString>
#include <optional>

struct VoucherFields;
struct VoucherKind;

// The voucher rules that need no window: tax and total, the rate texts, the type check,
// the record check `Validated` with its normalisations, and the double-entry figures.
namespace VoucherRules {

// The settings, the refusal and the amount text are those of every
// entry window.
using EntryRules::amount;
using EntryRules::isAmount;
using EntryRules::Refusal;
using EntryRules::Settings;

QString offerQuestion(const VoucherKind& kind, qint32 number);

// The rate field's text read as a number ("0.07"); nothing when it is not a plain number.
std::optional<double> rateNumber(const QString& text);
// A rate as the tax table shows it ("7.00%") made into the fraction the rate field holds:
// the text without its last character read as a single-precision number, divided by 100
// when above 0, written with up to seven significant digits ("0.07"). Throws Failure when
// the rest is not a number.
QString rateFromShown(const QString& shown);
// A stored fraction as the window shows it: 0.07 gives "7.00%".
QString rateShown(double fraction);
// The fraction to store for a rate field text, either form; nothing for blank text.
std::optional<double> rateToStore(const QString& text);

// Tax exclusive of the base: the two texts read as doubles and multiplied, the product made
// money at four decimals (ties to even) and written "$##,##0.00" (cents, ties away from zero).
QString taxAmountText(const QString& baseText, const QString& rateText);
// Base plus tax (the tax may be blank), written "$##,##0.00".
QString totalText(const QString& baseText, const QString& taxText);

// The type the check leaves: one of the kind's codes stays, any other text becomes the
// kind's default type. Blank text is refused by the check before this is used.
QString correctedType(const VoucherKind& kind, const QString& type);

// `Validated`: the checks and normalisations in their order. Changes `fields` as it goes
// (an empty date becomes today, the total is recomputed, tax fields without a tax code are
// emptied, the type is corrected, the bank GL account is refreshed) and stops at the first
// failing check.
std::optional<Refusal> validate(const VoucherKind& kind, VoucherFields& fields,
                                const Settings& settings, const QDate& today);

// The rules of writing the row (EntryRules::writeRefusal): amounts inside the book's limit,
// tax only with a tax GL account, and the bank's GL account set.
std::optional<Refusal> writeRefusal(const VoucherFields& fields, const Settings& settings);

struct DoubleEntry {
    Money bank;
    Money offset;
    Money tax;
};
// The three double-entry amounts of a row: the bank side is the total with the kind's
// sign, the offset and tax sides the base and the tax with the other sign. A row without a
// tax amount has a tax side of 0, and a row without a total is 0, 0, 0, so that the three
// always sum to zero.
DoubleEntry doubleEntry(const VoucherKind& kind, const QString& totalText, const QString& baseText,
                        const QString& taxText);

} // namespace VoucherRules
