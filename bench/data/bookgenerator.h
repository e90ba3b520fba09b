#pragma once

#include "data/money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class Database;
class QSqlQuery;

// One row of tblCashbook as the entry windows write it. Optional amounts are the Null
// columns of a bank entry, which has no tax side.
struct CashbookRow {
    QString transId;
    QDate date;
    QString type;
    QString status;
    QString desc;
    QString memo;
    QString vendorId;
    QString vendorName;
    QString custId;
    QString customerName;
    QString address[4];
    QString postalCode;
    QString bankAccount;
    QString bankDept;
    Money bankAmount;
    QString offsetAccount;
    QString offsetDept;
    QString offsetDesc;
    Money offsetAmount;
    QString taxCode;
    std::optional<double> taxRate;
    std::optional<Money> taxAmount;
    QString taxAccount;
    QString taxDept;
    Money doubleEntryBank;
    Money doubleEntryOffset;
    std::optional<Money> doubleEntryGst;
    bool exported = false;
};

// Makes a large, realistic book for the benchmarks: vendors, customers, a chart of
// accounts, tax codes, the settings rows and any number of transactions of all seven
// types spread evenly over some years up to a last day. Old transactions are mostly
// reconciled (a few reversed or void, a few cheques never presented) and exported;
// the last two months are mostly outstanding. The same options always give the same book.
class BookGenerator {
public:
    struct Options {
        qint64 transactions = 1000000;
        int vendors = 500;
        int customers = 500;
        int accounts = 200;
        int years = 10;
        // The last day with transactions; its month becomes the current fiscal month.
        // Today when left invalid.
        QDate lastDay;
        std::uint64_t seed = 20030105;
    };

    struct Party {
        QString id;
        QString name;
        QString address[4];
        QString postalCode;
        int account = 0; // index into the accounts it usually books to
    };
    struct Account {
        QString code;
        QString dept;
        QString description;
    };
    struct TaxCode {
        QString code;
        QString description;
        double rate;
        QString account;
    };

    explicit BookGenerator(Options options);

    const Options& options() const { return m_options; }
    QDate firstDay() const { return m_firstDay; }
    QDate lastDay() const { return m_options.lastDay; }
    const QList<Party>& vendors() const { return m_vendors; }
    const QList<Party>& customers() const { return m_customers; }
    const QList<Account>& accounts() const { return m_accounts; }
    const QList<TaxCode>& taxCodes() const { return m_taxCodes; }

    // The next transaction in date order; rewind() starts again from the first.
    bool atEnd() const { return m_index >= m_options.transactions; }
    CashbookRow next();
    void rewind();

    // The counters after the last transaction.
    int nextCheque() const { return m_nextCheque; }
    int nextReceipt() const { return m_nextReceipt; }

    // Departments, accounts, tax codes, vendors, customers and the settings rows of an
    // open template book.
    void writeMasters(const Database& db) const;
    // Every transaction, in transactions of `batch` rows; progress gets the rows written.
    void writeTransactions(const Database& db, qint64 batch = 100000,
                           const std::function<void(qint64)>& progress = {});

    // The insert statement for a whole cashbook row, and the binding of a row to it.
    static QString insertSql();
    static void bind(QSqlQuery& query, const CashbookRow& row);

    // A template book at path (which must not exist) filled with masters and transactions.
    static void makeBook(const QString& path, const Options& options,
                         const std::function<void(qint64)>& progress = {});
    // A benchmark's book at path: a copy of the book its first argument names, or one made
    // with the number of transactions its last argument gives (a million by default) up to
    // lastDay. Says which on standard output; false when the copy failed.
    static bool benchBook(const QStringList& args, const QString& path, const QDate& lastDay = {});

private:
    std::uint64_t random();
    double uniform(); // [0, 1)
    int below(int n);
    Money amountBetween(double low, double high);

    Options m_options;
    QDate m_firstDay;
    qint64 m_days = 1;
    QList<Party> m_vendors;
    QList<Party> m_customers;
    QList<Account> m_accounts;
    QList<int> m_expenseAccounts;
    QList<int> m_incomeAccounts;
    QList<int> m_miscAccounts;
    int m_bankChargeAccount = 0;
    int m_interestAccount = 0;
    QList<TaxCode> m_taxCodes;

    qint64 m_index = 0;
    std::uint64_t m_state = 0;
    int m_nextCheque = 0;
    int m_nextReceipt = 0;
    int m_nextBankEntry[3] = {1, 1, 1};
};
