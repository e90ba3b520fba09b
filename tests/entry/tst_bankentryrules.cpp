// The bank entry rules without a window: the type check, the record check in its order with
// its normalisations, and the two-sided double entry a saved row carries.
#include "entry/bankentryfields.h"
#include "entry/bankentryrules.h"
#include "entrydriver.h"

#include <QTest>

namespace {

BankEntryFields validEntry() {
    BankEntryFields f;
    f.transType = QStringLiteral("5");
    f.transId = QStringLiteral("BC1");
    f.transDate = QStringLiteral("2003-01-10");
    f.amount = QStringLiteral("12.50");
    f.accountCode = QStringLiteral("6000");
    return f;
}

} // namespace

class TestBankEntryRules : public QObject {
    Q_OBJECT

private slots:
    void typeCorrection_data();
    void typeCorrection();
    void checksInOrder_data();
    void checksInOrder();
    void normalisations();
    void storedColumnsBalance_data();
    void storedColumnsBalance();
};

void TestBankEntryRules::typeCorrection_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("corrected");
    QTest::newRow("5 stays") << "5"
                             << "5";
    QTest::newRow("6 stays") << "6"
                             << "6";
    QTest::newRow("7 stays") << "7"
                             << "7";
    QTest::newRow("4 becomes 5") << "4"
                                 << "5";
    QTest::newRow("8 becomes 5") << "8"
                                 << "5";
    // Sorts between "5" and "8" as text, yet is no type of this window.
    QTest::newRow("55 becomes 5") << "55"
                                  << "5";
    QTest::newRow("6a becomes 5") << "6a"
                                  << "5";
}

void TestBankEntryRules::typeCorrection() {
    QFETCH(QString, type);
    QFETCH(QString, corrected);
    QCOMPARE(BankEntryRules::correctedType(type), corrected);
}

void TestBankEntryRules::checksInOrder_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("ap");
    QTest::addColumn<bool>("ar");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");
    QTest::newRow("no amount before no type")
        << "amount=,type=" << false << false << "Must enter an amount."
        << "txtOffsetAmount";
    QTest::newRow("amount not a number") << "amount=12x" << false << false << "Must enter a number."
                                         << "txtOffsetAmount";
    QTest::newRow("no type before no ID")
        << "type=,id=" << false << false << "Must enter a Transaction Type."
        << "txtTransType";
    QTest::newRow("no ID before no account")
        << "id=,account=" << false << false << "Must enter a transaction ID."
        << "txtTransID";
    QTest::newRow("no account") << "account=" << false << false << "Must enter a GL Account Code."
                                << "cboGLOffsetAccountCode";
    QTest::newRow("bank account")
        << "account=1000" << false << false
        << "You cannot select the GL Bank Account Code\r\nas it is the control account and is "
           "used \r\nautomatically as one half of the double-entry\r\nbook-keeping."
        << "cboGLOffsetAccountCode";
    QTest::newRow("AP control, AP on")
        << "account=2000" << true << false
        << "Integrated with AP.  Therefore, you cannot\r\nchoose the AP Control Account."
        << "cboGLOffsetAccountCode";
    QTest::newRow("AP control, AP off") << "account=2000" << false << true << ""
                                        << "";
    QTest::newRow("AR control, AR on")
        << "account=1200" << false << true
        << "Integrated with AR.  Therefore, you cannot\r\nchoose the AR Control Account."
        << "cboGLOffsetAccountCode";
    QTest::newRow("negative amount is a receipt") << "amount=-3.10" << true << true << ""
                                                  << "";
}

void TestBankEntryRules::checksInOrder() {
    QFETCH(QString, change);
    QFETCH(bool, ap);
    QFETCH(bool, ar);
    QFETCH(QString, message);
    QFETCH(QString, field);
    BankEntryFields f = validEntry();
    EntryDriver::applyChanges(change, {{QStringLiteral("amount"), &f.amount},
                                       {QStringLiteral("type"), &f.transType},
                                       {QStringLiteral("id"), &f.transId},
                                       {QStringLiteral("account"), &f.accountCode}});
    const auto refusal =
        BankEntryRules::validate(f, EntryDriver::settings(ap, ar), QDate(2003, 1, 15));
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

void TestBankEntryRules::normalisations() {
    BankEntryFields f = validEntry();
    f.transDate.clear();
    f.transType = QStringLiteral("9");
    f.amount = QStringLiteral("($3.10)");
    QVERIFY(!BankEntryRules::validate(f, EntryDriver::settings(), QDate(2003, 1, 15)));
    QCOMPARE(f.transDate, QStringLiteral("2003-01-15"));
    QCOMPARE(f.transType, QStringLiteral("5"));
    QCOMPARE(f.total, QStringLiteral("-3.1"));
    QCOMPARE(f.doubleEntryOffset, QStringLiteral("-3.1"));
    QCOMPARE(f.doubleEntryBank, QStringLiteral("3.1"));
    // An emptied amount empties what follows it.
    f.amount.clear();
    BankEntryRules::setDerived(f);
    QVERIFY(f.total.isEmpty() && f.doubleEntryOffset.isEmpty() && f.doubleEntryBank.isEmpty());
}

void TestBankEntryRules::storedColumnsBalance_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("stale");
    QTest::addColumn<QVariant>("offsetAmount");
    QTest::addColumn<qint64>("sides");
    QTest::newRow("12.50") << "12.50"
                           << "" << QVariant(qint64(125000)) << qint64(125000);
    QTest::newRow("-3.10") << "-3.10"
                           << "" << QVariant(qint64(-31000)) << qint64(-31000);
    QTest::newRow("shown in parentheses") << "($3.10)"
                                          << "" << QVariant(qint64(-31000)) << qint64(-31000);
    QTest::newRow("below the cent") << "10.0555"
                                    << "" << QVariant(qint64(100555)) << qint64(100555);
    // Derived fields that no longer match the amount do not reach the book.
    QTest::newRow("stale derived fields") << "20"
                                          << "12.5" << QVariant(qint64(200000)) << qint64(200000);
    QTest::newRow("no amount: all 0") << ""
                                      << "" << QVariant() << qint64(0);
}

void TestBankEntryRules::storedColumnsBalance() {
    QFETCH(QString, amount);
    QFETCH(QString, stale);
    QFETCH(QVariant, offsetAmount);
    QFETCH(qint64, sides);
    BankEntryFields f = validEntry();
    f.amount = amount;
    f.total = stale;
    f.doubleEntryOffset = stale;
    f.doubleEntryBank = stale;
    const QVariantMap c = f.toColumns();
    QCOMPARE(c.value(QStringLiteral("OffsetAmount")).isNull(), !offsetAmount.isValid());
    if (offsetAmount.isValid())
        QCOMPARE(c.value(QStringLiteral("OffsetAmount")).toLongLong(), offsetAmount.toLongLong());
    QCOMPARE(c.value(QStringLiteral("BankAccountAmount")).toLongLong(), sides);
    QCOMPARE(c.value(QStringLiteral("DoubleEntryOffset")).toLongLong(), sides);
    QCOMPARE(c.value(QStringLiteral("DoubleEntryBank")).toLongLong(), -sides);
    QVERIFY(!c.value(QStringLiteral("DoubleEntryGST")).isNull());
    QCOMPARE(c.value(QStringLiteral("DoubleEntryGST")).toLongLong(), qint64(0));
    // No party or tax column is written.
    for (const char* column : {"VendorID", "CustID", "OffsetGSTAmount", "OffsetGSTTaxCode"})
        QVERIFY2(!c.contains(QString::fromLatin1(column)), column);
}

QTEST_MAIN(TestBankEntryRules)
#include "tst_bankentryrules.moc"
