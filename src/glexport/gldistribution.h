#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>

class Database;

// The GL distribution: the current month's transactions of tblCashbook turned into debit and
// credit lines in the work table tblGLDistribution, those lines reshaped as an external GL
// batch in tblGLDistributionAccpacGL, and the month marked as exported. This is the work
// without messages; the procedures the reports and the export call, with the program's
// messages, are in glexport/glexportprocedures.h.
//
// The current month is the period of CurrentMonth and CurrentYear in tblBankDetails, selected
// as a range of TransDate. Every rebuild and the marking run in one transaction: a failure
// leaves the tables as they were.
class GlDistribution {
public:
    // The modes of rebuild(), by the reports and the export that use them.
    enum Mode {
        // The current month's transactions, every status, bank side only (cashbook report).
        BankSides = 0,
        // The current month's transactions, every status, bank, offset and tax sides (GL
        // listing and summary reports, the GL batch export).
        AllSides = 1,
        // Reconciled transactions of the current month and outstanding ones of any date,
        // bank side only (bank reconciliation report).
        Reconciliation = 2,
    };

    // Empties tblGLDistribution and writes one line per non-zero side of each selected
    // transaction, in order of TransDate, TransID and then bank, offset, tax side: a positive
    // amount as DR (CR 0), a negative one as CR kept negative (DR 0). Texts are copied as
    // they stand; a Null text becomes the empty text, so an account or department stored
    // as Null and one stored empty give the same line. Returns the number of transactions
    // selected: 0 leaves the table empty. Throws Failure for a mode other than 0, 1 or 2 and
    // on a database error, leaving the table as it was.
    static qint64 rebuild(const Database& db, int mode);

    // The temporary table a look back is distributed into.
    static inline const QString kPeriodTable = QStringLiteral("tblGLDistributionPeriod");

    // A look back at the dates from `first` to `last`: the lines rebuild() writes for a mode,
    // written into kPeriodTable (made when missing, with the fields of tblGLDistribution), with
    // the period in place of the current month. In the reconciliation mode the outstanding
    // transactions are those dated before the period's end. The export's tables are not
    // touched. Returns the number of transactions selected; throws Failure as rebuild().
    static qint64 rebuildPeriod(const Database& db, int mode, const QDate& first,
                                const QDate& last);

    // Empties tblGLDistributionAccpacGL and writes one batch line per line of
    // tblGLDistribution (in order of TransDate, TransID, AccountCode): record type E, entry
    // 1, the date as YYMMDD in the three date fields, fiscal period 0, the transaction ID
    // as a number (GlBatchFile::batchNumber), the amount DR, or CR when DR is 0, and the
    // source code, home currency and rate type settings, or CBGL, $ and SP when they are
    // empty. Returns the number of lines. Throws Failure on a database error, a settings
    // row missing or a transaction number beyond 32 bits, leaving the table as it was.
    static qint64 rebuildBatch(const Database& db);

    // Marks every transaction of the current month as exported. False, changing nothing,
    // when the month has no transaction. Throws Failure on a database error, marking none.
    static bool markAsExported(const Database& db);

    // The current month as the stored dates of its first day and of the first day after it;
    // nothing when the settings name no month.
    static std::optional<std::pair<QString, QString>> currentMonth(const Database& db);
};
