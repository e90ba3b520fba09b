#include "gldistribution.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/schema.h"
#include "data/settings.h"
#include "glexport/glbatchfile.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// A transaction's three sides as rows, each with its amount, account and department. The
// cross join keeps tblCashbook the outer loop, read in the order of its index on TransDate
// and TransID, so the lines need no sorting and each transaction's sides come in the order
// of the inner rows: bank, offset, tax. %1 is the selection, %2 the last side taken (0 bank
// only, 2 all three), %3 the table written.
const char* const kDistribute =
    R"(INSERT INTO %3 ("TransDate", "TransID", "TransType", "TransDesc", )"
    R"("TransStatus", "AccountCode", "DeptCode", "DR", "CR", "CustID", "VendorID", )"
    R"("ExportedToAccpac") SELECT "TransDate", "TransID", "TransType", "TransDesc", )"
    R"("TransStatus", "AccountCode", "DeptCode", CASE WHEN "Amount" > 0 THEN "Amount" ELSE 0 END, )"
    R"(CASE WHEN "Amount" < 0 THEN "Amount" ELSE 0 END, "CustID", "VendorID", "ExportedToAccpac" )"
    R"(FROM (SELECT c."TransDate", c."TransID" AS SortID, s.Side, COALESCE(c."TransID", '') AS )"
    R"("TransID", COALESCE(c."TransType", '') AS "TransType", COALESCE(c."TransDesc", '') AS )"
    R"("TransDesc", COALESCE(c."TransStatus", '') AS "TransStatus", CASE s.Side WHEN 0 THEN )"
    R"(c."DoubleEntryBank" WHEN 1 THEN c."DoubleEntryOffset" ELSE c."DoubleEntryGST" END AS )"
    R"("Amount", COALESCE(CASE s.Side WHEN 0 THEN c."BankAccountGLAccountCode" WHEN 1 THEN )"
    R"(c."OffsetGLAccountCode" ELSE c."OffsetGSTGLAccountCode" END, '') AS "AccountCode", )"
    R"(COALESCE(CASE s.Side WHEN 0 THEN c."BankAccountGLDeptCode" WHEN 1 THEN )"
    R"(c."OffsetGLDeptCode" ELSE c."OffsetGSTGLDeptCode" END, '') AS "DeptCode", )"
    R"(COALESCE(c."CustID", '') AS "CustID", COALESCE(c."VendorID", '') AS "VendorID", )"
    R"(c."ExportedToAccpac" FROM "tblCashbook" AS c CROSS JOIN (SELECT 0 AS Side UNION ALL SELECT )"
    R"(1 UNION ALL SELECT 2) AS s WHERE (%1) AND s.Side <= %2) AS sides WHERE "Amount" <> 0 ORDER )"
    R"(BY "TransDate", SortID)";

// The selections of the modes; each binds the month's first day and the day after it.
const char* const kCurrentMonth = R"(c."TransDate" >= ? AND c."TransDate" < ?)";
const char* const kReconciliation =
    R"((c."TransStatus" = '2' AND c."TransDate" >= ? AND c."TransDate" < ?) OR c."TransStatus" = )"
    "'1'";
// A look back at the reconciliation of a period: the transactions outstanding now that were
// already written by its end, in place of those of any date. The third value is the day
// after the period.
const char* const kPeriodReconciliation =
    R"((c."TransStatus" = '2' AND c."TransDate" >= ? AND c."TransDate" < ?) OR )"
    R"((c."TransStatus" = '1' AND c."TransDate" < ?))";

// %1 is the transaction number: a plain run of digits is cast, any other ID is looked up
// in the numbers worked out for it, or is 99999. %2 is the date as YYMMDD, %3 the amount.
const char* const kBatch =
    R"(INSERT INTO "tblGLDistributionAccpacGL" ("RecordType", "EntryNumber", "EntryDate", )"
    R"("FiscalPeriod", "GLAccountCode", "DeptCode", "SourceCode", "TransID", "TransDateAccpac", )"
    R"("TransDesc", "Amount", "CurrencyCode", "RateType", "RateDate", "Rate", "SourceAmount", )"
    R"("ExportedToAccpac") SELECT 'E', 1, %2, 0, g."AccountCode", g."DeptCode", ?, %1, %2, )"
    R"(g."TransDesc", %3, ?, ?, %2, 1, %3, g."ExportedToAccpac" FROM "tblGLDistribution" AS g )"
    R"(ORDER BY g."TransDate", g."TransID", g."AccountCode")";
const char* const kBatchDate =
    R"(substr(g."TransDate", 3, 2) || substr(g."TransDate", 6, 2) || substr(g."TransDate", 9, 2))";
const char* const kBatchAmount =
    R"(CASE WHEN COALESCE(g."DR", 0) <> 0 THEN g."DR" ELSE COALESCE(g."CR", 0) END)";
const char* const kPlainDigits = R"(g."TransID" <> '' AND g."TransID" NOT GLOB '*[^0-9]*')";

QString settingOr(const Database& db, int key, const QString& fallback) {
    const QString value = Settings::read(db, key, Settings::Plain).toString();
    return value.isEmpty() ? fallback : value;
}

} // namespace

std::optional<std::pair<QString, QString>> GlDistribution::currentMonth(const Database& db) {
    const QString month = Settings::read(db, Settings::CurrentMonth, Settings::Plain).toString();
    const QString year = Settings::read(db, Settings::CurrentYear, Settings::Plain).toString();
    const auto range = Codes::periodRange(month, year);
    if (!range)
        return std::nullopt;
    return std::make_pair(Codes::dateToStored(range->first),
                          Codes::dateToStored(range->second.addDays(1)));
}

namespace {

void checkMode(int mode) {
    if (mode != GlDistribution::BankSides && mode != GlDistribution::AllSides &&
        mode != GlDistribution::Reconciliation)
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("There is no GL distribution mode %1.").arg(mode));
}

// Empties `table` and writes the lines of the transactions `selection` takes into it, in one
// transaction; returns the number of transactions taken.
qint64 distribute(const Database& db, const QString& table, int mode, const QString& selection,
                  const QVariantList& values) {
    Transaction transaction(db);
    db.execute(QStringLiteral("DELETE FROM %1").arg(table));
    const qint64 transactions =
        db.scalar(QStringLiteral(R"(SELECT COUNT(*) FROM "tblCashbook" AS c WHERE )") + selection,
                  values)
            .toLongLong();
    if (transactions > 0)
        db.execute(QString::fromLatin1(kDistribute)
                       .arg(selection)
                       .arg(mode == GlDistribution::AllSides ? 2 : 0)
                       .arg(table),
                   values);
    transaction.commit();
    return transactions;
}

} // namespace

qint64 GlDistribution::rebuild(const Database& db, int mode) {
    checkMode(mode);
    // A month that names no real month selects no date.
    const auto month = currentMonth(db).value_or(std::make_pair(QString(), QString()));
    return distribute(db, QStringLiteral(R"("tblGLDistribution")"), mode,
                      QLatin1String(mode == Reconciliation ? kReconciliation : kCurrentMonth),
                      {month.first, month.second});
}

qint64 GlDistribution::rebuildPeriod(const Database& db, int mode, const QDate& first,
                                     const QDate& last) {
    checkMode(mode);
    // A temporary table lives with the connection and is seen by it alone, so a look back
    // needs no write to the book and leaves the export's lines as they are.
    db.execute(db.dialect().createTemporaryTable(
        kPeriodTable, Schema::columnDefinitions(QStringLiteral("tblGLDistribution"))));
    const QString after = Codes::dateToStored(last.addDays(1));
    QVariantList values{Codes::dateToStored(first), after};
    if (mode == Reconciliation)
        values << after;
    return distribute(db, SqlDialect::quoted(kPeriodTable), mode,
                      QLatin1String(mode == Reconciliation ? kPeriodReconciliation : kCurrentMonth),
                      values);
}

qint64 GlDistribution::rebuildBatch(const Database& db) {
    const QVariantList settings{settingOr(db, Settings::SourceCode, QStringLiteral("CBGL")),
                                settingOr(db, Settings::HomeCurrency, QStringLiteral("$")),
                                settingOr(db, Settings::RateType, QStringLiteral("SP"))};
    Transaction transaction(db);
    db.execute(QStringLiteral(R"(DELETE FROM "tblGLDistributionAccpacGL")"));

    // A run of digits is cast in the insert. Other IDs are rarely numeric ("+12", "1,000");
    // those that are get their numbers through a temporary table, the rest are 99999. Only
    // IDs made of the characters of a number need a closer look.
    QSqlQuery others =
        db.exec(QStringLiteral(
                    R"(SELECT DISTINCT g."TransID" COLLATE BINARY FROM "tblGLDistribution" AS g )"
                    R"(WHERE NOT (%1) AND g."TransID" GLOB '*[0-9]*' AND g."TransID" NOT GLOB )"
                    "'*[^0-9 +,.eE-]*'")
                    .arg(QLatin1String(kPlainDigits)));
    QVariantList numericIds;
    QVariantList numbers;
    while (others.next()) {
        const QString id = others.value(0).toString();
        if (GlBatchFile::isNumeric(id)) {
            numericIds << id;
            numbers << GlBatchFile::batchNumber(id);
        }
    }
    QString number = QStringLiteral(R"(CASE WHEN %1 THEN CAST(g."TransID" AS BIGINT) ELSE %2 END)")
                         .arg(QLatin1String(kPlainDigits))
                         .arg(GlBatchFile::kOtherNumber);
    if (!numericIds.isEmpty()) {
        db.execute(
            QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS glBatchNumbers "
                           R"(("TransID" TEXT COLLATE BINARY PRIMARY KEY, Number INTEGER))"));
        db.execute(QStringLiteral("DELETE FROM temp.glBatchNumbers"));
        QSqlQuery insert(db.connection());
        insert.prepare(QStringLiteral("INSERT INTO temp.glBatchNumbers VALUES (?, ?)"));
        insert.addBindValue(numericIds);
        insert.addBindValue(numbers);
        if (!insert.execBatch())
            Database::fail(insert.lastError());
        number =
            QStringLiteral(R"(CASE WHEN %1 THEN CAST(g."TransID" AS BIGINT) ELSE COALESCE()"
                           R"((SELECT n.Number FROM temp.glBatchNumbers AS n WHERE n."TransID" )"
                           R"(= g."TransID"), %2) END)")
                .arg(QLatin1String(kPlainDigits))
                .arg(GlBatchFile::kOtherNumber);
    }
    const qint64 lines =
        db.execute(QString::fromLatin1(kBatch).arg(number, QLatin1String(kBatchDate),
                                                   QLatin1String(kBatchAmount)),
                   settings);
    // A run of digits beyond 32 bits was cast to a larger number: found through the index on
    // TransID, and named from the distribution.
    if (db.scalar(
              QStringLiteral(R"(SELECT EXISTS (SELECT 1 FROM "tblGLDistributionAccpacGL" WHERE )"
                             R"("TransID" > 2147483647))"))
            .toBool())
        GlBatchFile::batchNumber(
            db.scalar(
                  QStringLiteral(R"(SELECT g."TransID" FROM "tblGLDistribution" AS g WHERE (%1) )"
                                 R"(ORDER BY length(ltrim(g."TransID", '0')) DESC, )"
                                 R"(ltrim(g."TransID", '0') DESC LIMIT 1)")
                      .arg(QLatin1String(kPlainDigits)))
                .toString());
    transaction.commit();
    return lines;
}

bool GlDistribution::markAsExported(const Database& db) {
    const auto month = currentMonth(db);
    if (!month)
        return false;
    const QVariantList range{month->first, month->second};
    Transaction transaction(db);
    if (!db.scalar(
               QStringLiteral(R"(SELECT EXISTS (SELECT 1 FROM "tblCashbook" WHERE "TransDate" >= )"
                              R"(? AND "TransDate" < ?))"),
               range)
             .toBool())
        return false;
    db.execute(
        QStringLiteral(R"(UPDATE "tblCashbook" SET "ExportedToAccpac" = 1 WHERE "TransDate" >= ? )"
                       R"(AND "TransDate" < ? AND "ExportedToAccpac" = 0)"),
        range);
    transaction.commit();
    return true;
}
