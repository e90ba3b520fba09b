// The entry rules without a window: tax and total, the rate texts, the record checks of
// vouchers and bank entries in their order with their normalisations, and the numbering.
#include "data/failure.h"
#include "data/messages.h"
#include "entry/bankentryfields.h"
#include "entry/bankentryrules.h"
#include "entry/cashbookstore.h"
#include "entry/voucherfields.h"
#include "entry/voucherkind.h"
#include "entry/voucherrules.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include <QTest>

namespace {

// Applies "name=value" items separated by commas to the fields, named in order by names.
void applyChanges(const QString& changes, const QString& names, const QList<QString*>& fields) {
    const QStringList keys = names.split(' ');
    for (const QString& item : changes.split(',', Qt::SkipEmptyParts))
        *fields.at(keys.indexOf(item.section('=', 0, 0))) = item.section('=', 1);
}

} // namespace

class TestEntryRules : public QObject {
    Q_OBJECT

private slots:
    void taxAndTotal_data() {
        columns<QString, QString, QString, QString>("base", "rate", "tax", "total");
        // 10.05 x 0.07 = 0.7035: four decimals first (ties to even), then the cent.
        addRow("10.05 at 7%", "10.05", "0.07", "$0.70", "$10.75");
        addRow("tie at the cent rounds away", "0.5", "0.05", "$0.03", "$0.53");
        addRow("negative tie rounds away", "-0.5", "0.05", "-$0.03", "-$0.53");
        addRow("formatted base", "$1,234.50", "0.1", "$123.45", "$1,357.95");
        addRow("parenthesised base", "($20.00)", "0.07", "-$1.40", "-$21.40");
        addRow("thousands", "$1,234.56", "0.07", "$86.42", "$1,320.98");
        // 1.65495: even at four decimals (1.6550), then away from zero at the cent.
        addRow("two roundings", "20.06", "0.0825", "$1.66", "$21.72");
    }

    void taxAndTotal() {
        auto [base, rate, tax, total] =
            fetch<QString, QString, QString, QString>("base", "rate", "tax", "total");
        QCOMPARE(VoucherRules::taxAmountText(base, rate), tax);
        QCOMPARE(VoucherRules::totalText(base, tax), total);
    }

    void rateTexts_data() {
        columns<QString, QString, double>("shown", "field", "stored");
        addRow("17.50%", "17.50%", "0.175", 0.175);
        addRow("12.5%", "12.5%", "0.125", 0.125);
    }

    void rateTexts() {
        auto [shown, field, stored] = fetch<QString, QString, double>("shown", "field", "stored");
        QCOMPARE(VoucherRules::rateFromShown(shown), field);
        QCOMPARE(*VoucherRules::rateToStore(field), stored);
        // A stored row shows its rate as a percentage, and that text stores the same fraction.
        QCOMPARE(*VoucherRules::rateToStore(VoucherRules::rateShown(stored)), stored);
        QVERIFY(!VoucherRules::rateNumber(VoucherRules::rateShown(stored)));
        QVERIFY(!VoucherRules::rateToStore(QStringLiteral("  ")));
        QVERIFY_THROWS_EXCEPTION(Failure, VoucherRules::rateFromShown(QStringLiteral("abc%")));
        QVERIFY_THROWS_EXCEPTION(Failure, VoucherRules::rateToStore(QStringLiteral("seven")));
    }

    void checksInOrder_data() {
        // bank: a bank entry, else a payment voucher
        // refusal: message @ field, empty when the row passes
        // normalised: what the check leaves in date, type, total and tax fields; not compared
        // when empty
        columns<bool, QString, QString, QString>("bank", "change", "refusal", "normalised");
        const auto row = [](const char* name, bool bank, const char* change, const QString& message,
                            const char* field, const char* normalised = "") {
            QTest::newRow(name) << bank << QString::fromLatin1(change)
                                << (message.isEmpty() ? message : message + " @ " + field)
                                << QString::fromLatin1(normalised);
        };
        const VoucherKind& payment = VoucherKind::payment();
        const char *amount = "txtOffsetAmount", *account = "cboGLOffsetAccountCode";
        row("no amount, no vendor: amount first", false, "base=,party=", Messages::missingAmount(),
            amount);
        row("amount not a number", false, "base=abc", Messages::notANumber(), amount);
        row("tax not a number", false, "tax=x", Messages::notANumber(), "txtGSTAmount");
        // The date and total are normalised even when a later check fails.
        row("no vendor before no type", false,
            "party=,type=,date=,total=", payment.missingPartyMessage, "txtVendorID",
            "2003-01-15||$107.00|0.07$7.002200");
        row("no type", false, "type=", Messages::missingType(), "txtTransType");
        row("no number", false, "id=", payment.missingNumberMessage, "txtTransID");
        row("no account", false, "account=", Messages::missingAccount(), account);
        row("valid: no date, stranger type, stale total", false, "date=,type=7,total=$1.00", {}, "",
            "2003-01-15|1|$107.00|0.07$7.002200");
        row("valid without a tax code: tax emptied", false, "taxcode=", {}, "",
            "2003-01-10|1|$100.00|");
        row("bank: no amount before no type", true, "amount=,type=", Messages::missingAmount(),
            amount);
        row("bank: amount not a number", true, "amount=12x", Messages::notANumber(), amount);
        row("bank: no type before no ID", true, "type=,id=", Messages::missingType(),
            "txtTransType");
        row("bank: no ID before no account", true, "id=,account=", Messages::missingTransId(),
            "txtTransID");
        row("bank: the bank account as offset", true, "account=1000",
            Messages::bankAccountAsOffset(), account);
        // "55" sorts between "5" and "8" as text, yet is no type of the window.
        row("bank: valid negative, no date, stranger type", true, "amount=($3.10),date=,type=55",
            {}, "", "2003-01-15|5|-3.1|");
    }

    void checksInOrder() {
        auto [bank, change, refusal, normalised] =
            fetch<bool, QString, QString, QString>("bank", "change", "refusal", "normalised");
        const EntryRules::Settings settings{"1000", "ADMIN", true, "2000", true, "1200"};
        const QDate today(2003, 1, 15);
        std::optional<EntryRules::Refusal> result;
        QString bankAccount, left;
        if (bank) {
            BankEntryFields f;
            applyChanges("type=5,id=BC1,date=2003-01-10,amount=12.50,account=6000," + change,
                         "amount type id date account",
                         {&f.amount, &f.transType, &f.transId, &f.transDate, &f.accountCode});
            result = BankEntryRules::validate(f, settings, today);
            bankAccount = f.bankAccount + f.bankDept;
            left = f.transDate + "|" + f.transType + "|" + f.total + "|";
        } else {
            VoucherFields f;
            applyChanges("party=V1,type=1,id=1001,date=2003-01-10,account=5000,base=100,taxcode=G,"
                         "rate=0.07,taxaccount=2200,tax=$7.00," +
                             change,
                         "base tax party type id date account total taxcode rate taxaccount",
                         {&f.baseAmount, &f.taxAmount, &f.party, &f.transType, &f.transId,
                          &f.transDate, &f.accountCode, &f.total, &f.taxCode, &f.taxRate,
                          &f.taxAccount});
            result = VoucherRules::validate(VoucherKind::payment(), f, settings, today);
            bankAccount = f.bankAccount + f.bankDept;
            left = f.transDate + "|" + f.transType + "|" + f.total + "|" + f.taxRate + f.taxAmount +
                   f.taxAccount;
        }
        QCOMPARE(result ? result->message + " @ " + result->field : QString(), refusal);
        // The bank side takes the settings' account only when the row passes.
        QCOMPARE(bankAccount, result ? QString() : QStringLiteral("1000ADMIN"));
        if (!normalised.isEmpty())
            QCOMPARE(left, normalised);
    }

    void numbering() {
        TestBook book;
        CashbookStore store(book.db);
        const auto counters = [&book] {
            return book.value("SELECT NextCheque || '/' || NextReceipt FROM tblBankDetails")
                .toString();
        };
        const auto write = [&store](const char* id) {
            store.write({{"TransID", QString::fromLatin1(id)}, {"TransType", "1"}}, QString(),
                        std::nullopt);
        };
        book.sql("UPDATE tblBankDetails SET NextCheque = 1001, NextReceipt = 1003");
        write("1001");
        // The saved row holds the voucher counter's number: the counter moves on at once.
        QCOMPARE(counters(), "1002/1003");
        write("1002");
        QCOMPARE(counters(), "1003/1003");
        // A number a receipt was to be offered, used by a voucher, moves both counters on.
        write("1003");
        QCOMPARE(counters(), "1004/1004");
        // A counter behind numbers already used offers the first unused one.
        book.sql("UPDATE tblBankDetails SET NextCheque = 1001");
        QCOMPARE(store.nextUnusedNumber("NextCheque"), 1004);
        // A refused row changes no counter.
        QVERIFY_THROWS_EXCEPTION(Failure, write("1002"));
        QCOMPARE(counters(), "1001/1004");

        // A counter that cannot be read is reported with the failure of its kind.
        const QList<QPair<const char*, qint64>> unreadable = {
            {"UPDATE tblBankDetails SET NextCheque = 3000000000", 6},
            {"UPDATE tblBankDetails SET NextCheque = NULL", 94},
            {"DELETE FROM tblBankDetails", 3021}};
        for (const auto& [statement, number] : unreadable) {
            book.sql(QString::fromLatin1(statement));
            try {
                store.nextUnusedNumber("NextCheque");
                QFAIL(statement);
            } catch (const Failure& failure) {
                QCOMPARE(failure.number(), number);
            }
        }
    }
};

QTEST_MAIN(TestEntryRules)
#include "tst_entryrules.moc"
