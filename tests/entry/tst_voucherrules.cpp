// The voucher rules without a window: tax and total, the rate texts, the record check in
// its order with its normalisations, the double entry, and the store's one transaction.
#include "data/codes.h"
#include "entry/voucherfields.h"
#include "entry/voucherkind.h"
#include "entry/voucherrules.h"
#include "entry/voucherstore.h"
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
    void typeCorrection_data();
    void typeCorrection();
    void checksInOrder_data();
    void checksInOrder();
    void normalisations();
    void doubleEntrySumsToZero_data();
    void doubleEntrySumsToZero();
    void storedRowRoundTrip();
    void saveIsOneTransaction();
    void counterReadFailures_data();
    void counterReadFailures();
};

void TestVoucherRules::taxAndTotal_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("total");
    QTest::newRow("100 at 7%") << "100"
                               << "0.07"
                               << "$7.00"
                               << "$107.00";
    // 10.05 x 0.07 = 0.7035: four decimals first (ties to even), then the cent.
    QTest::newRow("10.05 at 7%") << "10.05"
                                 << "0.07"
                                 << "$0.70"
                                 << "$10.75";
    QTest::newRow("tie at the cent rounds away") << "0.5"
                                                 << "0.05"
                                                 << "$0.03"
                                                 << "$0.53";
    QTest::newRow("negative tie rounds away") << "-0.5"
                                              << "0.05"
                                              << "-$0.03"
                                              << "-$0.53";
    QTest::newRow("formatted base") << "$1,234.50"
                                    << "0.1"
                                    << "$123.45"
                                    << "$1,357.95";
    QTest::newRow("parenthesised base") << "($20.00)"
                                        << "0.07"
                                        << "-$1.40"
                                        << "-$21.40";
    QTest::newRow("zero rate") << "100"
                               << "0"
                               << "$0.00"
                               << "$100.00";
    QTest::newRow("single-precision rate from 17.50%") << "200"
                                                       << "0.175"
                                                       << "$35.00"
                                                       << "$235.00";
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
    QTest::newRow("7.00%") << "7.00%"
                           << "0.07" << 0.07;
    QTest::newRow("0.00% stays 0") << "0.00%"
                                   << "0" << 0.0;
    QTest::newRow("17.50%") << "17.50%"
                            << "0.175" << 0.175;
    QTest::newRow("12.5%") << "12.5%"
                           << "0.125" << 0.125;
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

void TestVoucherRules::typeCorrection_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("corrected");
    QTest::newRow("1 stays") << "1"
                             << "1";
    QTest::newRow("2 stays") << "2"
                             << "2";
    QTest::newRow("7 becomes 1") << "7"
                                 << "1";
    QTest::newRow("0 becomes 1") << "0"
                                 << "1";
    QTest::newRow("3 becomes 1") << "3"
                                 << "1";
    QTest::newRow("10 becomes 1") << "10"
                                  << "1";
}

void TestVoucherRules::typeCorrection() {
    QFETCH(QString, type);
    QFETCH(QString, corrected);
    QCOMPARE(VoucherRules::correctedType(VoucherKind::payment(), type), corrected);
}

void TestVoucherRules::checksInOrder_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("ap");
    QTest::addColumn<bool>("ar");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");
    const QString bank =
        QStringLiteral("You cannot select the GL Bank Account Code\r\nas it is the control "
                       "account and is used \r\nautomatically as one half of the "
                       "double-entry\r\nbook-keeping.");
    const QString apMessage = QStringLiteral(
        "Integrated with AP.  Therefore, you cannot\r\nchoose the AP Control Account.");
    const QString arMessage = QStringLiteral(
        "Integrated with AR.  Therefore, you cannot\r\nchoose the AR Control Account.");
    QTest::newRow("no amount, no vendor: amount first")
        << "base=,party=" << false << false << "Must enter an amount."
        << "txtOffsetAmount";
    QTest::newRow("amount not a number") << "base=abc" << false << false << "Must enter a number."
                                         << "txtOffsetAmount";
    QTest::newRow("tax not a number") << "tax=x" << false << false << "Must enter a number."
                                      << "txtGSTAmount";
    QTest::newRow("no vendor before no type")
        << "party=,type=" << false << false << "Must enter a Vendor ID."
        << "txtVendorID";
    QTest::newRow("no type") << "type=" << false << false << "Must enter a Transaction Type."
                             << "txtTransType";
    QTest::newRow("no number") << "id=" << false << false
                               << "Must enter a Payment Voucher / Cheque Number."
                               << "txtTransID";
    QTest::newRow("no account") << "account=" << false << false << "Must enter a GL Account Code."
                                << "cboGLOffsetAccountCode";
    QTest::newRow("bank account") << "account=1000" << false << false << bank
                                  << "cboGLOffsetAccountCode";
    QTest::newRow("AP control, AP on")
        << "account=2000" << true << false << apMessage << "cboGLOffsetAccountCode";
    QTest::newRow("AP control, AP off") << "account=2000" << false << true << ""
                                        << "";
    QTest::newRow("AR control, AR on")
        << "account=1200" << false << true << arMessage << "cboGLOffsetAccountCode";
    QTest::newRow("AR control, AR off") << "account=1200" << true << false << ""
                                        << "";
    QTest::newRow("valid") << "" << true << true << ""
                           << "";
}

void TestVoucherRules::checksInOrder() {
    QFETCH(QString, change);
    QFETCH(bool, ap);
    QFETCH(bool, ar);
    QFETCH(QString, message);
    QFETCH(QString, field);
    VoucherFields f = validPayment();
    EntryDriver::applyChanges(change, {{QStringLiteral("base"), &f.baseAmount},
                                       {QStringLiteral("tax"), &f.taxAmount},
                                       {QStringLiteral("party"), &f.party},
                                       {QStringLiteral("type"), &f.transType},
                                       {QStringLiteral("id"), &f.transId},
                                       {QStringLiteral("account"), &f.accountCode}});
    const auto refusal = VoucherRules::validate(VoucherKind::payment(), f,
                                                EntryDriver::settings(ap, ar), QDate(2003, 1, 15));
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
    QTest::addColumn<qint64>("bank");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<qint64>("gst");
    QTest::newRow("payment 100 + 7")
        << -1 << "$107.00"
        << "100"
        << "$7.00" << qint64(-1070000) << qint64(1000000) << qint64(70000);
    QTest::newRow("payment without tax: tax side 0")
        << -1 << "$100.00"
        << "100"
        << "" << qint64(-1000000) << qint64(1000000) << qint64(0);
    QTest::newRow("receipt 100 + 7")
        << 1 << "$107.00"
        << "100"
        << "$7.00" << qint64(1070000) << qint64(-1000000) << qint64(-70000);
    QTest::newRow("no total: all 0") << -1 << ""
                                     << "100"
                                     << "$7.00" << qint64(0) << qint64(0) << qint64(0);
    // The total field shows cents; the bank side is the exact base plus tax.
    QTest::newRow("base below the cent")
        << -1 << "$10.76"
        << "10.0555"
        << "$0.70" << qint64(-107555) << qint64(100555) << qint64(7000);
}

void TestVoucherRules::doubleEntrySumsToZero() {
    QFETCH(int, sign);
    QFETCH(QString, total);
    QFETCH(QString, base);
    QFETCH(QString, tax);
    QFETCH(qint64, bank);
    QFETCH(qint64, offset);
    QFETCH(qint64, gst);
    VoucherKind kind = VoucherKind::payment();
    kind.bankSign = sign;
    const VoucherRules::DoubleEntry e = VoucherRules::doubleEntry(kind, total, base, tax);
    QCOMPARE(e.bank.units(), bank);
    QCOMPARE(e.offset.units(), offset);
    QCOMPARE(e.tax.units(), gst);
    QCOMPARE((e.bank + e.offset + e.tax).units(), qint64(0));
}

void TestVoucherRules::storedRowRoundTrip() {
    TestBook book;
    const VoucherKind& kind = VoucherKind::payment();
    VoucherStore store(book.db, kind);
    VoucherFields f = validPayment();
    f.total = QStringLiteral("$107.00");
    f.partyName = QStringLiteral("Acme");
    f.transDescMemo = QStringLiteral("line one\nline two");
    f.status = QStringLiteral("1");
    f.doubleEntryBank = QStringLiteral("-107");
    f.doubleEntryOffset = QStringLiteral("100");
    f.doubleEntryGst = QStringLiteral("7");
    store.save(f, QString(), std::nullopt);
    QSqlQuery q = book.db.exec(QStringLiteral("SELECT * FROM tblCashbook"));
    QVERIFY(q.next());
    const VoucherFields shown = VoucherFields::fromRecord(q.record(), kind);
    QCOMPARE(shown.taxRate, QStringLiteral("7.00%"));
    QCOMPARE(shown.baseAmount, QStringLiteral("$100.00"));
    QCOMPARE(shown.total, QStringLiteral("$107.00"));
    QCOMPARE(shown.doubleEntryBank, QStringLiteral("-$107.00"));
    QCOMPARE(shown.transDescMemo, f.transDescMemo);
    QVERIFY(shown.address1.isEmpty());
    QVERIFY(q.record().value(QStringLiteral("Address1")).isNull());
    QVERIFY(q.record().value(QStringLiteral("CustID")).isNull());
    QCOMPARE(q.record().value(QStringLiteral("ExportedToAccpac")).toInt(), 0);
    // Saving what is shown stores the same values again.
    QCOMPARE(shown.toColumns(kind), f.toColumns(kind));
}

void TestVoucherRules::saveIsOneTransaction() {
    TestBook book;
    const VoucherKind& kind = VoucherKind::payment();
    VoucherStore store(book.db, kind);
    book.sql(QStringLiteral("UPDATE tblBankDetails SET NextCheque = 1001"));
    VoucherFields f = validPayment();
    f.total = QStringLiteral("$107.00");
    store.save(f, QString(), 1002);
    QCOMPARE(store.readCounter(), 1002);
    QVERIFY(store.transIdExists(QStringLiteral("1001")));

    // The counter write fails after the row was written: neither stays.
    book.sql(QStringLiteral("CREATE TRIGGER failCounter BEFORE UPDATE ON tblBankDetails "
                            "BEGIN SELECT RAISE(ABORT, 'injected'); END"));
    f.transId = QStringLiteral("1002");
    QVERIFY_THROWS_EXCEPTION(Failure, store.save(f, QString(), 1003));
    QVERIFY(!store.transIdExists(QStringLiteral("1002")));
    QCOMPARE(store.readCounter(), 1002);

    // A number the book already has (in any case) is a duplicate key.
    f.transId = QStringLiteral("1001");
    try {
        store.save(f, QString(), std::nullopt);
        QFAIL("a duplicate number was stored");
    } catch (const Failure& failure) {
        QVERIFY(failure.isDuplicateKey());
        QCOMPARE(failure.number(), Failure::DuplicateKeyNumber);
    }
    // An update under a new number moves the row.
    f.transId = QStringLiteral("A7");
    store.save(f, QStringLiteral("1001"), std::nullopt);
    QVERIFY(!store.transIdExists(QStringLiteral("1001")));
    QVERIFY(store.transIdExists(QStringLiteral("a7")));
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 1);
}

void TestVoucherRules::counterReadFailures_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<qint64>("number");
    QTest::newRow("no row") << "DELETE FROM tblBankDetails" << qint64(3021);
    QTest::newRow("null") << "UPDATE tblBankDetails SET NextCheque = NULL" << qint64(94);
    QTest::newRow("beyond 32 bits")
        << "UPDATE tblBankDetails SET NextCheque = 3000000000" << qint64(6);
}

void TestVoucherRules::counterReadFailures() {
    QFETCH(QString, statement);
    QFETCH(qint64, number);
    TestBook book;
    book.sql(statement);
    VoucherStore store(book.db, VoucherKind::payment());
    try {
        store.readCounter();
        QFAIL("the counter was read");
    } catch (const Failure& failure) {
        QCOMPARE(failure.number(), number);
    }
}

QTEST_MAIN(TestVoucherRules)
#include "tst_voucherrules.moc"
