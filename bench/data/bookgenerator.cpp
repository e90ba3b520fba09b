#include "bookgenerator.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/schema.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kFirstCheque = 100001;
constexpr int kFirstReceipt = 1000001;
const QString kBankAccount = QStringLiteral("1000");
// An account without department holds an empty text, never Null (a null QString binds as Null).
const QString kNoDept = QStringLiteral("");

std::uint64_t splitmix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

const char* const kNameFirst[] = {"Northern", "Harbour",  "Summit",    "Kiwi",    "Pacific",
                                  "Central",  "Southern", "Riverside", "Golden",  "Coastal",
                                  "Alpine",   "Metro",    "Eastern",   "Western", "Capital",
                                  "Valley",   "Island",   "Highland"};
const char* const kNameSecond[] = {"Office",    "Print",    "Freight",  "Timber",   "Electrical",
                                   "Cleaning",  "Catering", "Plumbing", "Motors",   "Software",
                                   "Packaging", "Security", "Courier",  "Hardware", "Paper",
                                   "Fuel",      "Media",    "Supplies"};
const char* const kNameThird[] = {"Ltd",      "Limited", "& Co",    "Traders",
                                  "Services", "Group",   "Partners"};
const char* const kStreets[] = {"High Street", "Queen Street", "Victoria Road", "Station Road",
                                "Church Lane", "Harbour Quay", "Park Avenue",   "Mill Road"};
const char* const kTowns[] = {"Wellington", "Auckland", "Christchurch", "Dunedin",
                              "Hamilton",   "Napier",   "Nelson",       "Tauranga"};
const char* const kExpenseNames[] = {"Cleaning",
                                     "Computer Supplies",
                                     "Consulting Fees",
                                     "Staff Training",
                                     "Uniforms",
                                     "Subscriptions",
                                     "Travel - Local",
                                     "Travel - Overseas",
                                     "Entertainment",
                                     "Freight Outward",
                                     "Packaging",
                                     "Security",
                                     "Software Licences",
                                     "Equipment Hire",
                                     "Printing",
                                     "Stationery",
                                     "Fuel",
                                     "Parking",
                                     "Tolls",
                                     "Recruitment",
                                     "Staff Welfare",
                                     "Donations",
                                     "Medical",
                                     "Protective Gear",
                                     "Tools",
                                     "Waste Removal",
                                     "Pest Control",
                                     "Signage",
                                     "Trade Shows",
                                     "Samples",
                                     "Royalties"};
const char* const kDepartments[][2] = {{"ADMIN", "Admin"},
                                       {"SALES", "Sales"},
                                       {"SERV", "Service"},
                                       {"OPS", "Operations"},
                                       {"WHSE", "Warehouse"}};

QVariant money(const std::optional<Money>& value) {
    return value ? QVariant(value->units()) : QVariant(QMetaType(QMetaType::LongLong));
}

} // namespace

BookGenerator::BookGenerator(Options options) : m_options(std::move(options)) {
    if (!m_options.lastDay.isValid())
        m_options.lastDay = QDate::currentDate();
    m_firstDay = m_options.lastDay.addYears(-m_options.years).addDays(1);
    m_days = std::max<qint64>(1, m_firstDay.daysTo(m_options.lastDay) + 1);

    std::uint64_t state = m_options.seed ^ 0x5eedf00dULL;
    auto pick = [&state](auto& array) {
        return QString::fromUtf8(array[splitmix(state) % std::size(array)]);
    };

    // The chart: the template's sample chart first (filled in by writeMasters from the
    // book itself would tie the generator to a book, so the codes used are listed here),
    // then departmental expense accounts up to the wanted number.
    const Account sample[] = {{"1000", "", "Bank - Current Account"},
                              {"1010", "", "Bank - Savings Account"},
                              {"1100", "", "Accounts Receivable Control"},
                              {"1150", "", "AR Clearing"},
                              {"2000", "", "Accounts Payable Control"},
                              {"2050", "", "AP Clearing"},
                              {"2100", "", "GST Payable"},
                              {"2110", "", "GST Receivable"},
                              {"2500", "", "Bank Loan"},
                              {"3200", "", "Owner's Drawings"},
                              {"4000", "SALES", "Sales - Sales Department"},
                              {"4000", "SERV", "Sales - Service Department"},
                              {"4100", "", "Service Income"},
                              {"4200", "", "Interest Income"},
                              {"4300", "", "Other Income"},
                              {"5000", "", "Cost of Goods Sold"},
                              {"5100", "", "Freight Inward"},
                              {"6000", "ADMIN", "Salaries - Administration"},
                              {"6100", "", "Rent"},
                              {"6150", "", "Electricity and Water"},
                              {"6200", "", "Telephone and Internet"},
                              {"6300", "", "Office Supplies"},
                              {"6400", "", "Advertising"},
                              {"6450", "", "Insurance"},
                              {"6500", "", "Repairs and Maintenance"},
                              {"6600", "", "Accounting and Legal Fees"},
                              {"6700", "", "Bank Charges"},
                              {"6900", "", "Sundry Expenses"}};
    for (const Account& account : sample)
        m_accounts << account;
    for (int i = 0; m_accounts.size() < m_options.accounts; ++i) {
        const int name = i / int(std::size(kDepartments));
        const auto& dept = kDepartments[i % std::size(kDepartments)];
        const QString base = QString::fromUtf8(kExpenseNames[name % std::size(kExpenseNames)]);
        m_accounts << Account{QString::number(7000 + name * 10), QString::fromUtf8(dept[0]),
                              (base + QStringLiteral(" - ") + QString::fromUtf8(dept[1])).left(30)};
    }
    for (int i = 0; i < m_accounts.size(); ++i) {
        const QString& code = m_accounts[i].code;
        if (code == QLatin1String("6700"))
            m_bankChargeAccount = i;
        else if (code == QLatin1String("4200"))
            m_interestAccount = i;
        else if (code.startsWith(QLatin1Char('4')))
            m_incomeAccounts << i;
        else if (code == QLatin1String("1010") || code == QLatin1String("2500") ||
                 code == QLatin1String("3200") || code == QLatin1String("6900"))
            m_miscAccounts << i;
        else if (code.front() >= QLatin1Char('5'))
            m_expenseAccounts << i;
    }

    m_taxCodes = {
        {QStringLiteral("G"), QStringLiteral("GST on sales 7%"), 0.07, QStringLiteral("2100")},
        {QStringLiteral("GP"), QStringLiteral("GST on purchases 7%"), 0.07, QStringLiteral("2110")},
        {QStringLiteral("H"), QStringLiteral("GST 12.5%"), 0.125, QStringLiteral("2100")},
        {QStringLiteral("E"), QStringLiteral("Exempt"), 0.0, QStringLiteral("2100")},
        {QStringLiteral("Z"), QStringLiteral("Zero rated"), 0.0, QStringLiteral("2100")}};

    auto makeParty = [&](QChar prefix, int n, const QList<int>& accounts) {
        Party party;
        party.id = prefix + QStringLiteral("%1").arg(n, 5, 10, QLatin1Char('0'));
        party.name = (pick(kNameFirst) + QLatin1Char(' ') + pick(kNameSecond) + QLatin1Char(' ') +
                      pick(kNameThird))
                         .left(30);
        party.address[0] =
            QString::number(1 + splitmix(state) % 400) + QLatin1Char(' ') + pick(kStreets);
        party.address[1] = QStringLiteral("PO Box %1").arg(1000 + splitmix(state) % 9000);
        party.address[2] = pick(kTowns);
        party.postalCode = QString::number(1000 + splitmix(state) % 9000);
        party.account = accounts[int(splitmix(state) % std::uint64_t(accounts.size()))];
        return party;
    };
    for (int i = 1; i <= m_options.vendors; ++i)
        m_vendors << makeParty(QLatin1Char('V'), i, m_expenseAccounts);
    for (int i = 1; i <= m_options.customers; ++i)
        m_customers << makeParty(QLatin1Char('C'), i, m_incomeAccounts);

    rewind();
}

void BookGenerator::rewind() {
    m_index = 0;
    m_state = m_options.seed;
    m_nextCheque = kFirstCheque;
    m_nextReceipt = kFirstReceipt;
    m_nextBankEntry[0] = m_nextBankEntry[1] = m_nextBankEntry[2] = 1;
}

std::uint64_t BookGenerator::random() {
    return splitmix(m_state);
}

double BookGenerator::uniform() {
    return double(random() >> 11) * (1.0 / 9007199254740992.0);
}

int BookGenerator::below(int n) {
    return int(random() % std::uint64_t(n));
}

// Amounts spread evenly on a logarithmic scale, to the cent: many small, a few large.
Money BookGenerator::amountBetween(double low, double high) {
    const double value = std::exp(std::log(low) + uniform() * (std::log(high) - std::log(low)));
    return Money::fromCents(std::llround(value * 100.0));
}

CashbookRow BookGenerator::next() {
    CashbookRow row;
    const qint64 i = m_index++;
    row.date = m_firstDay.addDays(i * m_days / std::max<qint64>(1, m_options.transactions));
    row.bankAccount = kBankAccount;
    row.bankDept = kNoDept;

    // Status: settled long ago, mostly open in the last two months.
    const bool recent = row.date.daysTo(m_options.lastDay) < 60;
    const int roll = below(1000);
    if (recent)
        row.status = roll < 750 ? Codes::Outstanding : Codes::Reconciled;
    else
        row.status = roll < 960   ? Codes::Reconciled
                     : roll < 975 ? Codes::Reversed
                     : roll < 990 ? Codes::Void
                                  : Codes::Outstanding;
    const QDate currentMonth(m_options.lastDay.year(), m_options.lastDay.month(), 1);
    row.exported = row.date < currentMonth;

    const int typeRoll = below(100);
    const QString type = typeRoll < 36   ? Codes::PaymentCbOnly
                         : typeRoll < 46 ? Codes::PaymentCbAp
                         : typeRoll < 76 ? Codes::ReceiptCbOnly
                         : typeRoll < 86 ? Codes::ReceiptCbAr
                         : typeRoll < 94 ? Codes::BankCharge
                         : typeRoll < 97 ? Codes::BankInterest
                                         : Codes::Miscellaneous;
    row.type = type;

    const bool payment = type == Codes::PaymentCbOnly || type == Codes::PaymentCbAp;
    const bool receipt = type == Codes::ReceiptCbOnly || type == Codes::ReceiptCbAr;
    if (payment || receipt) {
        const Party& party = payment ? m_vendors.at(below(int(m_vendors.size())))
                                     : m_customers.at(below(int(m_customers.size())));
        const QList<int>& usual = payment ? m_expenseAccounts : m_incomeAccounts;
        const Account& account =
            m_accounts.at(below(100) < 85 ? party.account : usual.at(below(int(usual.size()))));
        const int taxRoll = below(100);
        const TaxCode& tax = m_taxCodes.at(taxRoll < 80   ? (payment ? 1 : 0)
                                           : taxRoll < 83 ? 2
                                           : taxRoll < 93 ? 3
                                                          : 4);
        const Money base = payment ? amountBetween(5.0, 5000.0) : amountBetween(20.0, 20000.0);
        // The tax as the entry windows work it out: a double product, written to the cent.
        const Money taxAmount = Money::fromDouble(base.toDouble() * tax.rate).roundedToCent();
        const Money total = base + taxAmount;

        if (payment) {
            row.transId = QString::number(m_nextCheque++);
            row.vendorId = party.id;
            row.vendorName = party.name;
            row.desc = QStringLiteral("Payment to ") + party.name;
            row.doubleEntryBank = -total;
            row.doubleEntryOffset = base;
            row.doubleEntryGst = taxAmount;
        } else {
            row.transId = QString::number(m_nextReceipt++);
            row.custId = party.id;
            row.customerName = party.name;
            row.desc = QStringLiteral("Receipt from ") + party.name;
            row.doubleEntryBank = total;
            row.doubleEntryOffset = -base;
            row.doubleEntryGst = -taxAmount;
        }
        row.desc = row.desc.left(50);
        if (below(10) == 0)
            row.memo = QStringLiteral("Invoice %1 of %2, paid in full. Ref %3.")
                           .arg(10000 + below(90000))
                           .arg(row.date.addDays(-below(45)).toString(QStringLiteral("d MMM yyyy")))
                           .arg(random() % 1000000);
        for (int a = 0; a < 3; ++a)
            row.address[a] = party.address[a];
        row.postalCode = party.postalCode;
        row.bankAmount = total;
        row.offsetAccount = account.code;
        row.offsetDept = account.dept;
        row.offsetDesc = account.description;
        row.offsetAmount = base;
        row.taxCode = tax.code;
        row.taxRate = tax.rate;
        row.taxAmount = taxAmount;
        row.taxAccount = tax.account;
        row.taxDept = kNoDept;
    } else {
        // Bank entries: A is positive for money out; offset = A, bank = -A, no tax side.
        Money amount;
        const Account* account = nullptr;
        if (type == Codes::BankCharge) {
            amount = amountBetween(0.5, 75.0);
            account = &m_accounts.at(m_bankChargeAccount);
            row.transId = QStringLiteral("BC%1").arg(m_nextBankEntry[0]++, 6, 10, QLatin1Char('0'));
            row.desc = QStringLiteral("Bank fees");
        } else if (type == Codes::BankInterest) {
            amount = -amountBetween(0.05, 250.0);
            account = &m_accounts.at(m_interestAccount);
            row.transId =
                QStringLiteral("INT%1").arg(m_nextBankEntry[1]++, 5, 10, QLatin1Char('0'));
            row.desc = QStringLiteral("Interest credited");
        } else {
            amount = amountBetween(10.0, 2000.0);
            if (below(10) < 4)
                amount = -amount;
            account = &m_accounts.at(m_miscAccounts.at(below(int(m_miscAccounts.size()))));
            row.transId =
                QStringLiteral("MSC%1").arg(m_nextBankEntry[2]++, 5, 10, QLatin1Char('0'));
            row.desc = amount.units() > 0 ? QStringLiteral("Transfer out - ") + account->description
                                          : QStringLiteral("Transfer in - ") + account->description;
        }
        row.bankAmount = amount;
        row.offsetAmount = amount;
        row.doubleEntryOffset = amount;
        row.doubleEntryBank = -amount;
        row.offsetAccount = account->code;
        row.offsetDept = account->dept;
        row.offsetDesc = account->description;
    }
    return row;
}

QString BookGenerator::insertSql() {
    return QStringLiteral(
        "INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, TransDesc, "
        "TransDescMemo, "
        "VendorID, VendorName, CustID, CustomerName, Address1, Address2, Address3, Address4, "
        "PostalCode, "
        "BankAccountGLAccountCode, BankAccountGLDeptCode, BankAccountAmount, OffsetGLAccountCode, "
        "OffsetGLDeptCode, OffsetGLAccountDesc, OffsetAmount, OffsetGSTTaxCode, OffsetGSTTaxRate, "
        "OffsetGSTAmount, OffsetGSTGLAccountCode, OffsetGSTGLDeptCode, DoubleEntryBank, "
        "DoubleEntryOffset, "
        "DoubleEntryGST, ExportedToAccpac) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?)");
}

void BookGenerator::bind(QSqlQuery& query, const CashbookRow& row) {
    int i = 0;
    query.bindValue(i++, row.transId);
    query.bindValue(i++, Codes::dateToStored(row.date));
    query.bindValue(i++, row.type);
    query.bindValue(i++, row.status);
    query.bindValue(i++, row.desc);
    query.bindValue(i++, row.memo);
    query.bindValue(i++, row.vendorId);
    query.bindValue(i++, row.vendorName);
    query.bindValue(i++, row.custId);
    query.bindValue(i++, row.customerName);
    for (const QString& line : row.address)
        query.bindValue(i++, line);
    query.bindValue(i++, row.postalCode);
    query.bindValue(i++, row.bankAccount);
    query.bindValue(i++, row.bankDept);
    query.bindValue(i++, row.bankAmount.units());
    query.bindValue(i++, row.offsetAccount);
    query.bindValue(i++, row.offsetDept);
    query.bindValue(i++, row.offsetDesc);
    query.bindValue(i++, row.offsetAmount.units());
    query.bindValue(i++, row.taxCode);
    query.bindValue(i++,
                    row.taxRate ? QVariant(*row.taxRate) : QVariant(QMetaType(QMetaType::Double)));
    query.bindValue(i++, money(row.taxAmount));
    query.bindValue(i++, row.taxAccount);
    query.bindValue(i++, row.taxDept);
    query.bindValue(i++, row.doubleEntryBank.units());
    query.bindValue(i++, row.doubleEntryOffset.units());
    query.bindValue(i++, money(row.doubleEntryGst));
    query.bindValue(i++, row.exported ? 1 : 0);
}

void BookGenerator::writeMasters(const Database& db) const {
    Transaction transaction(db);
    for (const auto& dept : kDepartments)
        db.exec(
            QStringLiteral(
                "INSERT OR IGNORE INTO tblDepartments (DeptCode, DeptDescription) VALUES (?, ?)"),
            {QString::fromUtf8(dept[0]), QString::fromUtf8(dept[1])});
    for (const Account& account : m_accounts)
        db.exec(QStringLiteral(
                    "INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription, "
                    "AcctDept) VALUES (?, ?, ?, '')"),
                {account.code, account.dept, account.description});
    for (const TaxCode& tax : m_taxCodes)
        db.exec(QStringLiteral(
                    "INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate, GLAccountCode, "
                    "GLAccountDept, GLAccountDesc) VALUES (?, ?, ?, ?, '', ?)"),
                {tax.code, tax.description, tax.rate, tax.account,
                 tax.account == QLatin1String("2110") ? QStringLiteral("GST Receivable")
                                                      : QStringLiteral("GST Payable")});
    auto writeParties = [&db](const QString& table, const QString& id, const QString& name,
                              const QList<Party>& parties) {
        const QString sql =
            QStringLiteral("INSERT INTO %1 (%2, %3, Address1, Address2, Address3, Address4, "
                           "PostalCode) VALUES (?, ?, ?, ?, ?, ?, ?)")
                .arg(table, id, name);
        for (const Party& party : parties)
            db.exec(sql, {party.id, party.name, party.address[0], party.address[1],
                          party.address[2], party.address[3], party.postalCode});
    };
    writeParties(QStringLiteral("tblVendors"), QStringLiteral("VendorID"),
                 QStringLiteral("VendorName"), m_vendors);
    writeParties(QStringLiteral("tblCustomers"), QStringLiteral("CustID"),
                 QStringLiteral("CustName"), m_customers);

    db.exec(QStringLiteral(
                "UPDATE tblSystemSetup SET CompanyName = ?, Address1 = ?, Address2 = ?, "
                "Address3 = ?, GLBankAccountCode = ?, BankAccountDept = ?, BankAccountDesc = ?"),
            {QStringLiteral("Harbour Light Trading Ltd"), QStringLiteral("24 Queen Street"),
             QStringLiteral("PO Box 3318"), QStringLiteral("Wellington 6011"), kBankAccount,
             kNoDept, QStringLiteral("Bank - Current Account")});
    db.exec(
        QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = ?, CurrentYear = ?, BankName = ?, "
                       "BankAccountNumber = ?, StartingBankBalance = ?"),
        {QString::number(m_options.lastDay.month()), QString::number(m_options.lastDay.year()),
         QStringLiteral("First Harbour Bank"), QStringLiteral("02-0500-0123456-00"),
         Money::fromCents(2500000).units()});
    db.exec(QStringLiteral(
        "UPDATE tblAccpacSettings SET IntegrateWithAP = 1, IntegrateWithAR = 1, "
        "GLAPControl = '2000', GLAPControlDept = '', GLAPControlDesc = 'Accounts Payable Control', "
        "GLAPClearing = '2050', GLAPClearingDept = '', GLAPClearingDesc = 'AP Clearing', "
        "GLARControl = '1100', GLARControlDept = '', "
        "GLARControlDesc = 'Accounts Receivable Control', GLARClearing = '1150', "
        "GLARClearingDept = '', GLARClearingDesc = 'AR Clearing', APBankCode = 'BANK1', "
        "ARControlAccountSet = 'ARSET1'"));
    transaction.commit();
}

void BookGenerator::writeTransactions(const Database& db, qint64 batch,
                                      const std::function<void(qint64)>& progress) {
    rewind();
    QSqlQuery query(db.connection());
    if (!query.prepare(insertSql()))
        Database::fail(query.lastError());
    qint64 written = 0;
    while (!atEnd()) {
        Transaction transaction(db);
        for (qint64 n = 0; n < batch && !atEnd(); ++n) {
            bind(query, next());
            if (!query.exec())
                Database::fail(query.lastError());
            ++written;
        }
        transaction.commit();
        if (progress)
            progress(written);
    }
    db.exec(QStringLiteral("UPDATE tblBankDetails SET NextCheque = ?, NextReceipt = ?"),
            {m_nextCheque, m_nextReceipt});
}

void BookGenerator::makeBook(const QString& path, const Options& options,
                             const std::function<void(qint64)>& progress) {
    Schema::createBook(path);
    try {
        Database db(QStringLiteral("quillan-generator"));
        db.open(path);
        // A generated book can be made again: speed matters more than surviving a crash.
        db.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        db.exec(QStringLiteral("PRAGMA cache_size = -65536"));
        BookGenerator generator(options);
        generator.writeMasters(db);
        generator.writeTransactions(db, 100000, progress);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

bool BookGenerator::benchBook(const QStringList& args, const QString& path, const QDate& lastDay) {
    QElapsedTimer making;
    making.start();
    if (!args.isEmpty() && QFile::exists(args.first())) {
        if (!QFile::copy(args.first(), path)) {
            std::fprintf(stderr, "Cannot copy %s\n", qPrintable(args.first()));
            return false;
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        std::printf("Book: a copy of %s (%lld ms to copy)\n", qPrintable(args.first()),
                    making.elapsed());
        return true;
    }
    Options options;
    if (!args.isEmpty())
        options.transactions = std::max<qint64>(1, args.last().toLongLong());
    options.lastDay = lastDay;
    makeBook(path, options);
    std::printf("Book: generated, %lld transactions (%lld ms)\n",
                static_cast<long long>(options.transactions), making.elapsed());
    return true;
}
