#include "reportqueries.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/settings.h"

namespace ReportQueries {

namespace {

const QString kCashbook = QStringLiteral("tblCashbook");

QStringList idsOfTypes(const Database& db, const QString& first, const QString& second) {
    QSqlQuery query =
        db.exec(QStringLiteral(R"(SELECT "TransID" FROM "tblCashbook" WHERE "TransType" )"
                               R"(IN (?, ?) ORDER BY "TransID" DESC)"),
                {first, second});
    QStringList ids;
    while (query.next())
        ids << query.value(0).toString();
    return ids;
}

} // namespace

RowQuery allTransactions() {
    // The plain columns keep the date index usable for the order and for every page's seek.
    return {kCashbook, {QStringLiteral("TransDate"), QStringLiteral("TransID")}, {}, {}};
}

RowQuery transaction(const QString& transId) {
    return {kCashbook, {QStringLiteral("TransID")}, QStringLiteral(R"("TransID" = ?)"), {transId}};
}

RowQuery byTaxCode(const QDate& first, const QDate& last) {
    // A missing code and an empty one are the same group: rows without a code. A function's
    // result has no collation of its own, so the book's rule for codes is named again.
    return {kCashbook,
            {QStringLiteral(R"(COALESCE("OffsetGSTTaxCode", '') COLLATE NOCASE)"),
             QStringLiteral("TransDate"), QStringLiteral("TransID")},
            QStringLiteral(R"("TransDate" BETWEEN ? AND ?)"),
            {Codes::dateToStored(first), Codes::dateToStored(last)}};
}

RowQuery glDistribution(const QString& table) {
    return {table,
            {QStringLiteral("TransDate"), QStringLiteral("TransID"), QStringLiteral("AccountCode")},
            {},
            {}};
}

RowQuery byAccountCodeDeptCode(const QString& table) {
    return {table,
            {QStringLiteral(R"(COALESCE("AccountCode", '') COLLATE NOCASE)"),
             QStringLiteral(R"(COALESCE("DeptCode", '') COLLATE NOCASE)"),
             QStringLiteral("TransDate"), QStringLiteral("TransID"), QStringLiteral("AccountCode")},
            {},
            {}};
}

QStringList paymentIds(const Database& db) {
    return idsOfTypes(db, Codes::PaymentCbOnly, Codes::PaymentCbAp);
}

QStringList receiptIds(const Database& db) {
    return idsOfTypes(db, Codes::ReceiptCbOnly, Codes::ReceiptCbAr);
}

std::optional<std::pair<QDate, QDate>> currentFiscalMonth(const Database& db) {
    return Codes::periodRange(
        Settings::read(db, Settings::CurrentMonth, Settings::Plain).toString(),
        Settings::read(db, Settings::CurrentYear, Settings::Plain).toString());
}

} // namespace ReportQueries
