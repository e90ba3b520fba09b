#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// The fixed codes of the book: transaction types, reconciliation statuses,
// month names and the period key that selects the current month.
namespace Codes {

// Transaction types, stored as one-character texts.
inline const QString PaymentCbOnly = QStringLiteral("1");
inline const QString PaymentCbAp = QStringLiteral("2");
inline const QString ReceiptCbOnly = QStringLiteral("3");
inline const QString ReceiptCbAr = QStringLiteral("4");
inline const QString BankCharge = QStringLiteral("5");
inline const QString BankInterest = QStringLiteral("6");
inline const QString Miscellaneous = QStringLiteral("7");

// Reconciliation statuses.
inline const QString Outstanding = QStringLiteral("1");
inline const QString Reconciled = QStringLiteral("2");
inline const QString Reversed = QStringLiteral("3");
inline const QString Void = QStringLiteral("4");

// "1. Payment - CB Only" ... "7. Miscellaneous"; empty text for an unknown code.
QString typeEntryText(const QString& typeCode);
// The seven entry texts in code order.
QStringList typeEntryTexts();

// The word shown for a status; any other value, empty included, shows "Outstanding".
QString statusWord(const QString& statusCode);

// "January" ... "December" for 1 to 12; empty text for anything else.
QString monthName(int month);
// The same for a stored text, read by monthNumber().
QString monthName(const QString& monthText);

// The month a stored month text names: a whole number from 1 to 12, blanks around it and
// leading zeros allowed ("3", " 03"); 0 for any other text. The one reading of the fiscal
// month (CurrentMonth), whatever tool wrote it, wherever it is read.
int monthNumber(const QString& monthText);

// Month number then four-digit year, no separator: month 1 of 2003 gives "12003".
QString periodKey(int month, int year);
QString periodKey(const QString& month, const QString& year);
QString periodKeyOf(const QDate& date);

// Whether a date belongs to the period of the key (text equality of the two keys).
bool isInPeriod(const QDate& date, const QString& key);

// First and last day of the period, for date-range queries; nothing for a key that
// names no real month.
std::optional<std::pair<QDate, QDate>> periodRange(const QString& month, const QString& year);

// Dates are stored as ISO text; these are the only two conversions.
QString dateToStored(const QDate& date);
QDate dateFromStored(const QString& text);

} // namespace Codes
