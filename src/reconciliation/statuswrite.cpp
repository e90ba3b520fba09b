#include "statuswrite.h"

#include "data/codes.h"
#include "data/database.h"

namespace StatusWrite {

std::optional<QString> storedStatus(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return Codes::Outstanding;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    QString digits = text;
    while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        digits.remove(0, 1);
    if (digits == QLatin1String("0"))
        return std::nullopt;
    // Above 4 (however many digits) is Outstanding.
    if (digits.size() > 1 || digits.front() > QLatin1Char('4'))
        return Codes::Outstanding;
    return digits;
}

void write(const Database& db, const QString& transId, const QString& status) {
    Transaction transaction(db);
    if (db.execute(
            QStringLiteral(R"(UPDATE "tblCashbook" SET "TransStatus" = ? WHERE "TransID" = ?)"),
            {status, transId}) != 1)
        throw Failure(ErrorNumber::RowNotFound,
                      QStringLiteral("The transaction %1 is no longer in the book.").arg(transId));
    transaction.commit();
}

} // namespace StatusWrite
