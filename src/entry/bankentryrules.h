#pragma once

#include "entry/entryrules.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

struct BankEntryFields;

// The rules of the bank's own entries (bank charges, interest, miscellaneous) that need no
// window: the types, the amount's two-sided double entry and the record check `Validated`.
namespace BankEntryRules {

// "5", "6", "7" and their list texts, in list order; a new row is a bank charge.
QStringList typeCodes();
QStringList typeTexts();
QString defaultType();

// The type the check leaves: "5", "6" and "7" stay, any other text becomes "5".
QString correctedType(const QString& type);

// The fields worked out from the amount A: the total and the offset side are A, the bank
// side minus A (written as plain numbers); all three empty when the amount is empty.
// Throws Failure for an amount that is not a number.
void setDerived(BankEntryFields& fields);

// `Validated`: the checks and normalisations in their order. Changes `fields` as it goes
// (an empty date becomes today, the derived amounts are worked out, the type is corrected,
// the bank GL account is refreshed) and stops at the first failing check.
std::optional<EntryRules::Refusal>
validate(BankEntryFields& fields, const EntryRules::Settings& settings, const QDate& today);
// The rules of writing the row (EntryRules::writeRefusal): the amount inside the book's
// limit and the bank's GL account set.
std::optional<EntryRules::Refusal> writeRefusal(const BankEntryFields& fields,
                                                const EntryRules::Settings& settings);

} // namespace BankEntryRules
