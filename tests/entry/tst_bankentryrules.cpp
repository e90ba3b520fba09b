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
    void typeCorrection();
    void checksInOrder_data();
    void checksInOrder();
    void normalisations();
    void storedColumnsBalance_data();
    void storedColumnsBalance();
};

void TestBankEntryRules::typeCorrection() {
    for (const char* type : {"5", "6", "7"})
        QCOMPARE(BankEntryRules::correctedType(QString::fromLatin1(type)),
                 QString::fromLatin1(type));
    // "55" sorts between "5" and "8" as text, yet is no type of this window.
    for (const char* type : {"4", "8", "55", "6a"})
        QCOMPARE(BankEntryRules::correctedType(QString::fromLatin1(type)), QStringLiteral("5"));
}

void TestBankEntryRules::checksInOrder_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");
    const auto row = [](const char* name, const char* change, const char* message,
                        const char* field) {
        QTest::newRow(name) << QString::fromLatin1(change) << QString::fromLatin1(message)
                            << QString::fromLatin1(field);
    };
    row("no amount before no type", "amount=,type=", "Must enter an amount.", "txtOffsetAmount");
    row("amount not a number", "amount=12x", "Must enter a number.", "txtOffsetAmount");
    row("no type before no ID", "type=,id=", "Must enter a Transaction Type.", "txtTransType");
    row("no ID before no account", "id=,account=", "Must enter a transaction ID.", "txtTransID");
    row("no account", "account=", "Must enter a GL Account Code.", "cboGLOffsetAccountCode");
    row("negative amount is a receipt", "amount=-3.10", "", "");
}

void TestBankEntryRules::checksInOrder() {
    QFETCH(QString, change);
    QFETCH(QString, message);
    QFETCH(QString, field);
    BankEntryFields f = validEntry();
    EntryDriver::applyChanges(change, {{QStringLiteral("amount"), &f.amount},
                                       {QStringLiteral("type"), &f.transType},
                                       {QStringLiteral("id"), &f.transId},
                                       {QStringLiteral("account"), &f.accountCode}});
    const auto refusal =
        BankEntryRules::validate(f, EntryDriver::settings(true, true), QDate(2003, 1, 15));
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
    QTest::newRow("shown in parentheses")
        << QStringLiteral("($3.10)") << QString() << QVariant(qint64(-31000)) << qint64(-31000);
    // Derived fields that no longer match the amount do not reach the book.
    QTest::newRow("stale derived fields") << QStringLiteral("20") << QStringLiteral("12.5")
                                          << QVariant(qint64(200000)) << qint64(200000);
    QTest::newRow("no amount: all 0") << QString() << QString() << QVariant() << qint64(0);
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
