// The voucher rules without a window: tax and total, the rate texts, the record check in
// its order with its normalisations, the double entry, and the numbering.
#include "data/codes.h"
#include "entry/voucherfields.h"
#include "entry/voucherkind.h"
#include "entry/voucherrules.h"
#include "entry/cashbookstore.h"
#include "entrydriver.h"
#include "support/testbook.h"

#include <QSqlRecord>
#include <QTest>

namespace {

VoucherFields validPayment() {
    VoucherFields f;
    f.party = QStringLiteral("V1");
    f.transType = QStringLiteral("1");
    f.transId = QStringLiteral("1001");
    f.transDate = QStringLiteral("2003-01-10");
    f.accountCode = QStringLiteral("5000");
    f.baseAmount = QStringLiteral("100");
    f.taxCode = QStringLiteral("G");
    f.taxRate = QStringLiteral("0.07");
    f.taxAccount = QStringLiteral("2200");
    f.taxAmount = QStringLiteral("$7.00");
    return f;
}

} // namespace

class TestVoucherRules : public QObject {
    Q_OBJECT

private slots:
    void taxAndTotal_data();
    void taxAndTotal();
    void rateTexts_data();
    void rateTexts();
    void typeCorrection();
    void checksInOrder_data();
    void checksInOrder();
    void normalisations();
    void doubleEntrySumsToZero_data();
    void doubleEntrySumsToZero();
    void numbering();
};

void TestVoucherRules::taxAndTotal_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("total");
    const auto row = [](const char* name, const char* base, const char* rate, const char* tax,
                        const char* total) {
        QTest::newRow(name) << QString::fromLatin1(base) << QString::fromLatin1(rate)
                            << QString::fromLatin1(tax) << QString::fromLatin1(total);
    };
    row("100 at 7%", "100", "0.07", "$7.00", "$107.00");
    // 10.05 x 0.07 = 0.7035: four decimals first (ties to even), then the cent.
    row("10.05 at 7%", "10.05", "0.07", "$0.70", "$10.75");
    row("tie at the cent rounds away", "0.5", "0.05", "$0.03", "$0.53");
    row("negative tie rounds away", "-0.5", "0.05", "-$0.03", "-$0.53");
    row("formatted base", "$1,234.50", "0.1", "$123.45", "$1,357.95");
    row("parenthesised base", "($20.00)", "0.07", "-$1.40", "-$21.40");
    row("single-precision rate from 17.50%", "200", "0.175", "$35.00", "$235.00");
}

void TestVoucherRules::taxAndTotal() {
    QFETCH(QString, base);
    QFETCH(QString, rate);
    QFETCH(QString, tax);
    QFETCH(QString, total);
    const QString taxText = VoucherRules::taxAmountText(base, rate);
    QCOMPARE(taxText, tax);
    QCOMPARE(VoucherRules::totalText(base, taxText), total);
}

void TestVoucherRules::rateTexts_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("stored");
    QTest::newRow("7.00%") << QStringLiteral("7.00%") << "0.07" << 0.07;
    QTest::newRow("0.00% stays 0") << QStringLiteral("0.00%") << "0" << 0.0;
    QTest::newRow("17.50%") << QStringLiteral("17.50%") << "0.175" << 0.175;
    QTest::newRow("12.5%") << QStringLiteral("12.5%") << "0.125" << 0.125;
}

void TestVoucherRules::rateTexts() {
    QFETCH(QString, shown);
    QFETCH(QString, field);
    QFETCH(double, stored);
    QCOMPARE(VoucherRules::rateFromShown(shown), field);
    QCOMPARE(*VoucherRules::rateToStore(field), stored);
    // A stored row shows its rate as a percentage, and that text stores the same fraction.
    QCOMPARE(*VoucherRules::rateToStore(VoucherRules::rateShown(stored)), stored);
    QVERIFY(!VoucherRules::rateNumber(VoucherRules::rateShown(stored)));
    QVERIFY(!VoucherRules::rateToStore(QStringLiteral("  ")));
    QVERIFY_THROWS_EXCEPTION(Failure, VoucherRules::rateFromShown(QStringLiteral("abc%")));
    QVERIFY_THROWS_EXCEPTION(Failure, VoucherRules::rateToStore(QStringLiteral("seven")));
}

void TestVoucherRules::typeCorrection() {
    for (const char* type : {"1", "2"})
        QCOMPARE(VoucherRules::correctedType(VoucherKind::payment(), QString::fromLatin1(type)),
                 QString::fromLatin1(type));
    for (const char* type : {"0", "3", "10"})
        QCOMPARE(VoucherRules::correctedType(VoucherKind::payment(), QString::fromLatin1(type)),
                 QStringLiteral("1"));
}

void TestVoucherRules::checksInOrder_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("integrated"); // with AP and AR
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");
    const auto row = [](const char* name, const char* change, bool integrated,
                        const QString& message, const char* field) {
        QTest::newRow(name) << QString::fromLatin1(change) << integrated << message
                            << QString::fromLatin1(field);
    };
    row("no amount, no vendor: amount first", "base=,party=", false,
        QStringLiteral("Must enter an amount."), "txtOffsetAmount");
    row("amount not a number", "base=abc", false, QStringLiteral("Must enter a number."),
        "txtOffsetAmount");
    row("tax not a number", "tax=x", false, QStringLiteral("Must enter a number."), "txtGSTAmount");
    row("no vendor before no type", "party=,type=", false,
        QStringLiteral("Must enter a Vendor ID."), "txtVendorID");
    row("no type", "type=", false, QStringLiteral("Must enter a Transaction Type."),
        "txtTransType");
    row("no number", "id=", false, QStringLiteral("Must enter a Payment Voucher / Cheque Number."),
        "txtTransID");
    row("no account", "account=", false, QStringLiteral("Must enter a GL Account Code."),
        "cboGLOffsetAccountCode");
    row("AP control", "account=2000", true, EntryTexts::apControl, "cboGLOffsetAccountCode");
    row("valid", "", true, QString(), "");
}

void TestVoucherRules::checksInOrder() {
    QFETCH(QString, change);
    QFETCH(bool, integrated);
    QFETCH(QString, message);
    QFETCH(QString, field);
    VoucherFields f = validPayment();
    EntryDriver::applyChanges(change, {{QStringLiteral("base"), &f.baseAmount},
                                       {QStringLiteral("tax"), &f.taxAmount},
                                       {QStringLiteral("party"), &f.party},
                                       {QStringLiteral("type"), &f.transType},
                                       {QStringLiteral("id"), &f.transId},
                                       {QStringLiteral("account"), &f.accountCode}});
    const auto refusal =
        VoucherRules::validate(VoucherKind::payment(), f,
                               EntryDriver::settings(integrated, integrated), QDate(2003, 1, 15));
    QCOMPARE(refusal.has_value(), !message.isEmpty());
    if (refusal) {
        QCOMPARE(refusal->message, message);
        QCOMPARE(refusal->field, field);
        QVERIFY(f.bankAccount.isEmpty());
    } else {
        QCOMPARE(f.bankAccount, QStringLiteral("1000"));
        QCOMPARE(f.bankDept, QStringLiteral("ADMIN"));
    }
}

void TestVoucherRules::normalisations() {
    const QDate today(2003, 1, 15);
    // An empty date becomes today, the total is worked out again, a stranger type is corrected.
    VoucherFields f = validPayment();
    f.transDate.clear();
    f.total = QStringLiteral("$1.00");
    f.transType = QStringLiteral("7");
    QVERIFY(!VoucherRules::validate(VoucherKind::payment(), f, EntryDriver::settings(), today));
    QCOMPARE(f.transDate, QStringLiteral("2003-01-15"));
    QCOMPARE(f.total, QStringLiteral("$107.00"));
    QCOMPARE(f.transType, QStringLiteral("1"));

    // Without a tax code the tax fields are emptied and the total is the base alone.
    f = validPayment();
    f.taxCode.clear();
    f.taxAccount = QStringLiteral("2200");
    QVERIFY(!VoucherRules::validate(VoucherKind::payment(), f, EntryDriver::settings(), today));
    QVERIFY(f.taxRate.isEmpty() && f.taxAmount.isEmpty() && f.taxAccount.isEmpty());
    QCOMPARE(f.total, QStringLiteral("$100.00"));

    // The date and total are normalised even when a later check fails.
    f = validPayment();
    f.transDate.clear();
    f.party.clear();
    QVERIFY(VoucherRules::validate(VoucherKind::payment(), f, EntryDriver::settings(), today));
    QCOMPARE(f.transDate, QStringLiteral("2003-01-15"));
    QCOMPARE(f.total, QStringLiteral("$107.00"));
}

void TestVoucherRules::doubleEntrySumsToZero_data() {
    QTest::addColumn<int>("sign");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QList<qint64>>("sides"); // bank, offset, tax
    const auto row = [](const char* name, int sign, const char* total, const char* base,
                        const char* tax, const QList<qint64>& sides) {
        QTest::newRow(name) << sign << QString::fromLatin1(total) << QString::fromLatin1(base)
                            << QString::fromLatin1(tax) << sides;
    };
    row("payment 100 + 7", -1, "$107.00", "100", "$7.00", {-1070000, 1000000, 70000});
    row("payment without tax: tax side 0", -1, "$100.00", "100", "", {-1000000, 1000000, 0});
    row("receipt 100 + 7", 1, "$107.00", "100", "$7.00", {1070000, -1000000, -70000});
    row("no total: all 0", -1, "", "100", "$7.00", {0, 0, 0});
    // The total field shows cents; the bank side is the exact base plus tax.
    row("base below the cent", -1, "$10.76", "10.0555", "$0.70", {-107555, 100555, 7000});
}

void TestVoucherRules::doubleEntrySumsToZero() {
    QFETCH(int, sign);
    QFETCH(QString, total);
    QFETCH(QString, base);
    QFETCH(QString, tax);
    QFETCH(QList<qint64>, sides);
    VoucherKind kind = VoucherKind::payment();
    kind.bankSign = sign;
    const VoucherRules::DoubleEntry e = VoucherRules::doubleEntry(kind, total, base, tax);
    QCOMPARE((QList<qint64>{e.bank.units(), e.offset.units(), e.tax.units()}), sides);
    QCOMPARE((e.bank + e.offset + e.tax).units(), qint64(0));
}

void TestVoucherRules::numbering() {
    TestBook book;
    CashbookStore store(book.db);
    const auto counters = [&book] {
        return book.value(QStringLiteral("SELECT NextCheque || '/' || NextReceipt FROM "
                                         "tblBankDetails"))
            .toString();
    };
    const auto write = [&store](const char* id) {
        store.write({{QStringLiteral("TransID"), QString::fromLatin1(id)},
                     {QStringLiteral("TransType"), QStringLiteral("1")}},
                    QString(), std::nullopt);
    };
    book.sql(QStringLiteral("UPDATE tblBankDetails SET NextCheque = 1001, NextReceipt = 1003"));
    write("1001");
    // The saved row holds the voucher counter's number: the counter moves on at once.
    QCOMPARE(counters(), QStringLiteral("1002/1003"));
    write("1002");
    QCOMPARE(counters(), QStringLiteral("1003/1003"));
    // A number a receipt was to be offered, used by a voucher, moves both counters on.
    write("1003");
    QCOMPARE(counters(), QStringLiteral("1004/1004"));
    // A counter behind numbers already used offers the first unused one.
    book.sql(QStringLiteral("UPDATE tblBankDetails SET NextCheque = 1001"));
    QCOMPARE(store.nextUnusedNumber(QStringLiteral("NextCheque")), 1004);
    // A refused row changes no counter.
    QVERIFY_THROWS_EXCEPTION(Failure, write("1002"));
    QCOMPARE(counters(), QStringLiteral("1001/1004"));

    // A counter that cannot be read is reported with the failure of its kind.
    const QList<QPair<const char*, qint64>> unreadable = {
        {"UPDATE tblBankDetails SET NextCheque = 3000000000", 6},
        {"UPDATE tblBankDetails SET NextCheque = NULL", 94},
        {"DELETE FROM tblBankDetails", 3021}};
    for (const auto& [statement, number] : unreadable) {
        book.sql(QString::fromLatin1(statement));
        try {
            store.nextUnusedNumber(QStringLiteral("NextCheque"));
            QFAIL(statement);
        } catch (const Failure& failure) {
            QCOMPARE(failure.number(), number);
        }
    }
}

QTEST_MAIN(TestVoucherRules)
#include "tst_voucherrules.moc"
