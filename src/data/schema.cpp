#include "schema.h"

#include "bookformat.h"
#include "database.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

namespace Schema {

namespace {

// The table definitions keep one column group a line, as the book's fields are listed.
// clang-format off
// Text columns compare and sort case-insensitively, as the book always has.
#define T " TEXT COLLATE NOCASE"
#define MONEY " INTEGER"  // ten-thousandths
#define RATE " REAL"
#define DATE " TEXT"      // YYYY-MM-DD
#define YESNO " INTEGER NOT NULL DEFAULT 0"

struct TableDef {
    const char* name;
    const char* columns;
};

const TableDef kTables[] = {
    {"tblSystemSetup",
     "CompanyName" T ", Address1" T ", Address2" T ", Address3" T ", VersionNumber" T
     ", VersionType" T ", GLBankAccountCode" T ", BankAccountDept" T ", BankAccountDesc" T},
    {"tblBankDetails",
     "CurrentYear" T ", CurrentMonth" T ", BankName" T ", BankAccountNumber" T
     ", StartingBankBalance" MONEY ", NextCheque INTEGER, NextReceipt INTEGER"},
    {"tblAccpacSettings",
     "GLSourceCode" T ", GLSingleMultiCurrency" T ", GLHomeCurrency" T ", GLRateType" T
     ", IntegrateWithAP" YESNO ", GLAPControl" T ", GLAPControlDept" T ", GLAPControlDesc" T
     ", GLAPClearing" T ", GLAPClearingDept" T ", GLAPClearingDesc" T ", APBankCode" T
     ", IntegrateWithAR" YESNO ", GLARControl" T ", GLARControlDept" T ", GLARControlDesc" T
     ", GLARClearing" T ", GLARClearingDept" T ", GLARClearingDesc" T
     ", ARControlAccountSet" T},
    {"tblTransactionType", "TransType" T " PRIMARY KEY, TransTypeDesc" T},
    {"tblTransactionStatus", "TransStatus" T " PRIMARY KEY, TransStatusDesc" T},
    {"tblDepartments", "DeptCode" T " PRIMARY KEY, DeptDescription" T},
    {"tblChartOfAccounts",
     "AccountCode" T " NOT NULL, DeptCode" T " NOT NULL DEFAULT '', AccountDescription" T
     ", AcctDept" T ", PRIMARY KEY (AccountCode, DeptCode)"},
    {"tblChartOfAccountsSample",
     "AccountCode" T " NOT NULL, DeptCode" T " NOT NULL DEFAULT '', AccountDescription" T
     ", PRIMARY KEY (AccountCode, DeptCode)"},
    {"tblTaxTable",
     "TaxCode" T " PRIMARY KEY, TaxDescription" T ", TaxRate" RATE ", GLAccountCode" T
     ", GLAccountDept" T ", GLAccountDesc" T},
    {"tblCustomers",
     "CustID" T " PRIMARY KEY, CustName" T ", Address1" T ", Address2" T ", Address3" T
     ", Address4" T ", PostalCode" T},
    {"tblVendors",
     "VendorID" T " PRIMARY KEY, VendorName" T ", Address1" T ", Address2" T ", Address3" T
     ", Address4" T ", PostalCode" T},
    {"tblCashbook",
     "TransID" T " PRIMARY KEY, TransDate" DATE ", TransType" T ", TransStatus" T
     ", TransDesc" T ", TransDescMemo" T ", VendorID" T ", VendorName" T ", CustID" T
     ", CustomerName" T ", Address1" T ", Address2" T ", Address3" T ", Address4" T
     ", PostalCode" T ", BankAccountGLAccountCode" T ", BankAccountGLDeptCode" T
     ", BankAccountAmount" MONEY ", OffsetGLAccountCode" T ", OffsetGLDeptCode" T
     ", OffsetGLAccountDesc" T ", OffsetAmount" MONEY ", OffsetGSTTaxCode" T
     ", OffsetGSTTaxRate" RATE ", OffsetGSTAmount" MONEY ", OffsetGSTGLAccountCode" T
     ", OffsetGSTGLDeptCode" T ", DoubleEntryBank" MONEY ", DoubleEntryOffset" MONEY
     ", DoubleEntryGST" MONEY ", ExportedToAccpac" YESNO},
    {"tblGLDistribution",
     "TransDate" DATE ", TransID" T ", TransType" T ", TransDesc" T ", TransStatus" T
     ", AccountCode" T ", DeptCode" T ", DR" MONEY ", CR" MONEY ", CustID" T ", VendorID" T
     ", ExportedToAccpac" YESNO},
    {"tblGLDistributionAccpacGL",
     "RecordType" T ", EntryNumber INTEGER, EntryDate" T ", FiscalPeriod INTEGER"
     ", GLAccountCode" T ", DeptCode" T ", SourceCode" T ", TransID INTEGER"
     ", TransDateAccpac" T ", TransDesc" T ", Amount" MONEY ", CurrencyCode" T ", RateType" T
     ", RateDate" T ", Rate REAL, SourceAmount" MONEY ", ExportedToAccpac" YESNO},
};

#undef T
#undef MONEY
#undef RATE
#undef DATE
#undef YESNO
// clang-format on

// Indexes for the windows' orders, the finds and the balance and period queries.
const char* const kIndexes[] = {
    "CREATE INDEX idxCashbookDate ON tblCashbook (TransDate, TransID)",
    "CREATE INDEX idxCashbookTypeDate ON tblCashbook (TransType, TransDate, TransID)",
    "CREATE INDEX idxCashbookTypeID ON tblCashbook (TransType, TransID)",
    "CREATE INDEX idxCashbookStatus ON tblCashbook (TransStatus, TransDate)",
    "CREATE INDEX idxChartDescription ON tblChartOfAccounts (AccountDescription)",
    "CREATE INDEX idxCustomersName ON tblCustomers (CustName)",
    "CREATE INDEX idxVendorsName ON tblVendors (VendorName)",
    "CREATE INDEX idxGLDistributionOrder ON tblGLDistribution (TransDate, TransID, AccountCode)",
    "CREATE INDEX idxAccpacGLOrder ON tblGLDistributionAccpacGL (TransID, GLAccountCode)",
};

struct SampleAccount {
    const char* code;
    const char* dept;
    const char* description;
};

// A chart for a small trading business; selling and admin costs split by department.
const SampleAccount kSampleChart[] = {
    {"1000", "", "Bank - Current Account"},
    {"1010", "", "Bank - Savings Account"},
    {"1050", "", "Petty Cash"},
    {"1100", "", "Accounts Receivable Control"},
    {"1150", "", "AR Clearing"},
    {"1200", "", "Inventory"},
    {"1300", "", "Prepaid Expenses"},
    {"1500", "", "Office Equipment"},
    {"1510", "", "Accum Depn - Office Equipment"},
    {"1600", "", "Motor Vehicles"},
    {"1610", "", "Accum Depn - Motor Vehicles"},
    {"2000", "", "Accounts Payable Control"},
    {"2050", "", "AP Clearing"},
    {"2100", "", "GST Payable"},
    {"2110", "", "GST Receivable"},
    {"2200", "", "Accrued Liabilities"},
    {"2300", "", "Payroll Liabilities"},
    {"2500", "", "Bank Loan"},
    {"3000", "", "Owner's Capital"},
    {"3100", "", "Retained Earnings"},
    {"3200", "", "Owner's Drawings"},
    {"4000", "SALES", "Sales - Sales Department"},
    {"4000", "SERV", "Sales - Service Department"},
    {"4100", "", "Service Income"},
    {"4200", "", "Interest Income"},
    {"4300", "", "Other Income"},
    {"5000", "", "Cost of Goods Sold"},
    {"5100", "", "Freight Inward"},
    {"6000", "ADMIN", "Salaries - Administration"},
    {"6000", "SALES", "Salaries - Sales"},
    {"6000", "SERV", "Salaries - Service"},
    {"6100", "", "Rent"},
    {"6150", "", "Electricity and Water"},
    {"6200", "", "Telephone and Internet"},
    {"6250", "ADMIN", "Motor Vehicle Expenses - Admin"},
    {"6250", "SALES", "Motor Vehicle Expenses - Sales"},
    {"6300", "", "Office Supplies"},
    {"6350", "", "Postage and Courier"},
    {"6400", "", "Advertising"},
    {"6450", "", "Insurance"},
    {"6500", "", "Repairs and Maintenance"},
    {"6600", "", "Accounting and Legal Fees"},
    {"6700", "", "Bank Charges"},
    {"6750", "", "Interest Expense"},
    {"6800", "", "Depreciation"},
    {"6900", "", "Sundry Expenses"},
};

// The sample chart's current account: the bank side of every entry posts to it.
const SampleAccount& kBankAccount = kSampleChart[0];

// Vouchers and receipts are numbered from ranges far apart, so neither offers a number
// the other has used.
constexpr int kFirstVoucherNumber = 1001;
constexpr int kFirstReceiptNumber = 500001;

} // namespace

QStringList tableNames() {
    QStringList names;
    for (const TableDef& table : kTables)
        names << QString::fromLatin1(table.name);
    return names;
}

QString columnDefinitions(const QString& table) {
    for (const TableDef& def : kTables) {
        if (table.compare(QLatin1String(def.name), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(def.columns);
    }
    return {};
}

QStringList columnNames(const QString& table) {
    for (const TableDef& def : kTables) {
        if (table.compare(QLatin1String(def.name), Qt::CaseInsensitive) != 0)
            continue;
        // Column definitions are separated by commas outside parentheses; a table
        // constraint ("PRIMARY KEY (...)") names no column of its own.
        QStringList names;
        int depth = 0;
        QString piece;
        const QString columns = QString::fromLatin1(def.columns) + QLatin1Char(',');
        for (const QChar c : columns) {
            if (c == QLatin1Char('('))
                ++depth;
            else if (c == QLatin1Char(')'))
                --depth;
            if (c == QLatin1Char(',') && depth == 0) {
                const QString name = piece.trimmed().section(QLatin1Char(' '), 0, 0);
                if (!piece.trimmed().startsWith(QLatin1String("PRIMARY KEY")))
                    names << name;
                piece.clear();
            } else {
                piece += c;
            }
        }
        return names;
    }
    return {};
}

QStringList settingsTables() {
    return {QStringLiteral("tblSystemSetup"), QStringLiteral("tblBankDetails"),
            QStringLiteral("tblAccpacSettings")};
}

void createTables(const Database& db) {
    for (const TableDef& table : kTables)
        db.exec(db.dialect().createTable(QString::fromLatin1(table.name),
                                         QString::fromLatin1(table.columns)));
    for (const char* index : kIndexes)
        db.exec(db.dialect().statement(QString::fromLatin1(index)));
}

void insertTemplateRows(const Database& db, int currentMonth, int currentYear) {
    const QStringList typeTexts = {
        QStringLiteral("Payment - CB Only"), QStringLiteral("Payment - CB / AP"),
        QStringLiteral("Receipt - CB Only"), QStringLiteral("Receipt - CB / AR"),
        QStringLiteral("Bank Charge"),       QStringLiteral("Bank Interest"),
        QStringLiteral("Miscellaneous")};
    for (int i = 0; i < typeTexts.size(); ++i)
        db.exec(QStringLiteral("INSERT INTO \"tblTransactionType\" (\"TransType\", "
                               "\"TransTypeDesc\") VALUES (?, ?)"),
                {QString::number(i + 1), typeTexts.at(i)});
    const QStringList statusTexts = {QStringLiteral("Outstanding"), QStringLiteral("Reconciled"),
                                     QStringLiteral("Reversed"), QStringLiteral("Void")};
    for (int i = 0; i < statusTexts.size(); ++i)
        db.exec(QStringLiteral("INSERT INTO \"tblTransactionStatus\" (\"TransStatus\", "
                               "\"TransStatusDesc\") VALUES (?, ?)"),
                {QString::number(i + 1), statusTexts.at(i)});

    db.exec(QStringLiteral(
                "INSERT INTO \"tblSystemSetup\" (\"CompanyName\", \"Address1\", \"Address2\", "
                "\"Address3\", "
                "\"VersionNumber\", \"VersionType\", \"GLBankAccountCode\", \"BankAccountDept\", "
                "\"BankAccountDesc\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {QStringLiteral("Your Company Name"), QString(), QString(), QString(),
             QStringLiteral("1.0"), QStringLiteral("Standard"),
             QString::fromLatin1(kBankAccount.code), QString::fromLatin1(kBankAccount.dept),
             QString::fromLatin1(kBankAccount.description)});
    db.exec(QStringLiteral(
                "INSERT INTO \"tblBankDetails\" (\"CurrentYear\", \"CurrentMonth\", \"BankName\", "
                "\"BankAccountNumber\", \"StartingBankBalance\", \"NextCheque\", \"NextReceipt\") "
                "VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {QString::number(currentYear), QString::number(currentMonth), QString(), QString(), 0,
             kFirstVoucherNumber, kFirstReceiptNumber});
    db.exec(
        QStringLiteral(
            "INSERT INTO \"tblAccpacSettings\" (\"GLSourceCode\", \"GLSingleMultiCurrency\", "
            "\"GLHomeCurrency\", \"GLRateType\", \"IntegrateWithAP\", \"IntegrateWithAR\") "
            "VALUES (?, ?, ?, ?, 0, 0)"),
        {QStringLiteral("CBGL"), QStringLiteral("S"), QStringLiteral("$"), QStringLiteral("SP")});

    for (const SampleAccount& account : kSampleChart)
        db.exec(QStringLiteral(
                    "INSERT INTO \"tblChartOfAccountsSample\" (\"AccountCode\", \"DeptCode\", "
                    "\"AccountDescription\") VALUES (?, ?, ?)"),
                {QString::fromLatin1(account.code), QString::fromLatin1(account.dept),
                 QString::fromLatin1(account.description)});
    const char* const departments[][2] = {
        {"ADMIN", "Administration"}, {"SALES", "Sales Department"}, {"SERV", "Service Department"}};
    for (const auto& dept : departments)
        db.exec(
            QStringLiteral(
                "INSERT INTO \"tblDepartments\" (\"DeptCode\", \"DeptDescription\") VALUES (?, ?)"),
            {QString::fromLatin1(dept[0]), QString::fromLatin1(dept[1])});
}

void createBook(const QString& path) {
    if (QFileInfo::exists(path))
        throw Failure(ErrorNumber::FileAlreadyExists,
                      QStringLiteral("File already exists: %1").arg(path));
    try {
        Database db(QStringLiteral("quillan-create-book"));
        db.openForCreate(path);
        Transaction transaction(db);
        createTables(db);
        // The program's own tables are made by the upgrade steps themselves, so a new book is
        // exactly what an upgraded one is and the schema check at opening holds for both.
        QStringList notices;
        for (const BookFormat::Step& step : BookFormat::steps())
            step(db, notices);
        const QDate today = QDate::currentDate();
        insertTemplateRows(db, today.month(), today.year());
        BookFormat::stamp(db, BookFormat::currentVersion());
        transaction.commit();
    } catch (...) {
        // A half-made book is worse than none.
        QFile::remove(path);
        throw;
    }
}

} // namespace Schema
