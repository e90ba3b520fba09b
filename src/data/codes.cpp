#include "codes.h"

#include <array>

namespace Codes {

namespace {
const std::array<const char*, 7> kTypeTexts = {
    "1. Payment - CB Only", "2. Payment - CB / AP", "3. Receipt - CB Only", "4. Receipt - CB / AR",
    "5. Bank Charge",       "6. Bank Interest",     "7. Miscellaneous"};
const std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
} // namespace

QString typeEntryText(const QString& typeCode) {
    for (int i = 0; i < int(kTypeTexts.size()); ++i)
        if (typeCode == QString::number(i + 1))
            return QString::fromLatin1(kTypeTexts[i]);
    return {};
}

QStringList typeEntryTexts() {
    QStringList list;
    for (const char* text : kTypeTexts)
        list << QString::fromLatin1(text);
    return list;
}

QString statusWord(const QString& statusCode) {
    if (statusCode == Reconciled)
        return QStringLiteral("Reconciled");
    if (statusCode == Reversed)
        return QStringLiteral("Reversed");
    if (statusCode == Void)
        return QStringLiteral("Void");
    return QStringLiteral("Outstanding");
}

QString monthName(int month) {
    if (month < 1 || month > 12)
        return {};
    return QString::fromLatin1(kMonths[month - 1]);
}

QString monthName(const QString& monthText) {
    return monthName(monthNumber(monthText));
}

int monthNumber(const QString& monthText) {
    const QString text = monthText.trimmed();
    if (text.isEmpty() || text.size() > 4)
        return 0;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    const int month = text.toInt();
    return month >= 1 && month <= 12 ? month : 0;
}

QString periodKey(int month, int year) {
    return QString::number(month) + QString::number(year);
}

QString periodKey(const QString& month, const QString& year) {
    return month.trimmed() + year.trimmed();
}

QString periodKeyOf(const QDate& date) {
    return date.isValid() ? periodKey(date.month(), date.year()) : QString();
}

bool isInPeriod(const QDate& date, const QString& key) {
    return date.isValid() && periodKeyOf(date) == key;
}

std::optional<std::pair<QDate, QDate>> periodRange(const QString& month, const QString& year) {
    bool yearOk = false;
    const int m = monthNumber(month);
    const int y = year.trimmed().toInt(&yearOk);
    if (m == 0 || !yearOk || year.trimmed().size() != 4)
        return std::nullopt;
    const QDate first(y, m, 1);
    return std::make_pair(first, first.addMonths(1).addDays(-1));
}

QString dateToStored(const QDate& date) {
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QDate dateFromStored(const QString& text) {
    return QDate::fromString(text.left(10), Qt::ISODate);
}

} // namespace Codes
