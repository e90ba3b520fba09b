// The bank charges, interest and miscellaneous window, on the same base as the payment
// voucher window. What is tested here is what differs: types 5 to 7, no number offered,
// the ID check, the signed amount without a question, the two-sided double entry, its tab
// order and the rows it finds.
#include "data/messages.h"
#include "data/recordnavigator.h"
#include "entrydriver.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>

class TestBankChargesInterestWindow : public QObject {
    Q_OBJECT

private slots:
    void tabOrderAndAdding();
    void amountsSaved_data();
    void amountsSaved();
    void idAlreadyUsed();
    void bankAccountNotSet();
    void leavingChangedRowWritesIt();
    void find();
};

void TestBankChargesInterestWindow::tabOrderAndAdding() {
    EntryDriver h;
    h.addRow({"BC1", "2003-01-10", "5"});
    h.openBank();
    // The type field comes first, with its list shown while it has the focus.
    QCOMPARE(h.focusName(), "txtTransType");
    auto* list = h.get<QListWidget>("lstTransType");
    QVERIFY(list->isVisible());
    const QStringList order = QStringLiteral("txtTransType txtTransID cmdFindByPV DTPicker "
                                             "txtTransDesc txtOffsetAmount cboGLOffsetAccountCode "
                                             "cmdAdd")
                                  .split(QLatin1Char(' '));
    QCOMPARE(h.tabWalk(order.first(), order.size()), order);
    QVERIFY(!list->isVisible());
    // Add offers no number: a bank charge dated today, its ID to be typed.
    h.add();
    QCOMPARE(h.text("txtTransType") + "|" + h.text("txtTransID"), "5|");
    QCOMPARE(h.get<QDateEdit>("DTPicker")->date(), QDate(2003, 1, 15));
    QCOMPARE(h.focusName(), "txtTransType");
}

void TestBankChargesInterestWindow::amountsSaved_data() {
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("amounts");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* type, const char* amount, const char* sides,
                        const char* shown) {
        QTest::newRow(amount) << QString(type) << QString(amount) << QString(sides)
                              << QString(shown);
    };
    row("5", "12.50", "125000|125000|125000|-125000", "$12.50");
    // A negative amount is money received: no question about it.
    row("6", "-3.10", "-31000|-31000|-31000|31000", "($3.10)");
    // Below the cent: stored exactly, shown in cents.
    row("7", "10.0555", "100555|100555|100555|-100555", "$10.06");
}

void TestBankChargesInterestWindow::amountsSaved() {
    QFETCH(QString, typeKey);
    QFETCH(QString, amount);
    QFETCH(QString, amounts);
    QFETCH(QString, shown);
    EntryDriver h;
    h.openBank();
    h.add();
    QTest::keyClicks(h.get("txtTransType"), typeKey);
    h.fill(amount);
    h.save();
    // Two sides, the bank side the amount's opposite; no tax side, party or tax code.
    QCOMPARE(h.columns("E1", "TransType, OffsetAmount, BankAccountAmount, DoubleEntryOffset, "
                             "DoubleEntryBank, DoubleEntryGST, VendorID, CustID, "
                             "OffsetGSTAmount, OffsetGSTTaxCode, OffsetGLAccountCode, "
                             "OffsetGLDeptCode, TransDate, BankAccountGLAccountCode"),
             typeKey + "|" + amounts + "|0|null|null|null|null|6000|ADMIN|2003-01-15|1000");
    // No counter moves for a bank entry.
    QCOMPARE(h.counters(), "1001/500");
    QCOMPARE(h.caption(), "BC/Int/Misc: 1 of 1");
    QCOMPARE(h.text("txtOffsetAmount"), shown);
    QVERIFY(h.enabled("cmdAdd") && h.enabled("Adodc1"));
}

void TestBankChargesInterestWindow::idAlreadyUsed() {
    EntryDriver h;
    h.addRow({"1001", "2003-01-14"});
    h.addRow({"BC1", "2003-01-11", "6"});
    h.openBank();
    h.add();
    // A payment voucher's number; then another entry's, in letters of another case.
    for (const char* id : {"1001", "bc1"}) {
        h.type("txtTransID", QString::fromLatin1(id));
        h.book.prompts.expect(Messages::duplicateNumber());
        h.tab();
        QVERIFY(h.text("txtTransID").isEmpty());
        QCOMPARE(h.focusName(), "txtTransID");
    }
}

// Without the bank's own GL account no entry is saved: its bank side would post nowhere.
void TestBankChargesInterestWindow::bankAccountNotSet() {
    EntryDriver h;
    h.book.sql("UPDATE tblSystemSetup SET GLBankAccountCode = NULL");
    h.addRow({"BC2", "2003-01-12", "5"});
    h.addRow({"BC1", "2003-01-11", "5"});
    // Stored rows can still be looked through: the rule guards writing only.
    h.openBank();
    h.navigate("navNext");
    QCOMPARE(h.text("txtTransID"), "BC1");
    h.add();
    h.fill("12.50");
    h.book.prompts.expect(Messages::bankAccountNotSet());
    h.click("cmdSave");
    QCOMPARE(h.rows(), 2);
    QVERIFY(h.window->navigator().isAdding());
}

void TestBankChargesInterestWindow::leavingChangedRowWritesIt() {
    EntryDriver h;
    h.addRow({"BC2", "2003-01-12", "5"});
    h.addRow({"BC1", QVariant(), "6"});
    h.openBank();
    h.type("txtOffsetAmount", "-20");
    h.navigate("navNext");
    QCOMPARE(h.caption(), "BC/Int/Misc: 2 of 2");
    // Written as Save writes it: the amount and both sides agree.
    QCOMPARE(h.columns("BC2", "OffsetAmount, BankAccountAmount, DoubleEntryOffset, "
                              "DoubleEntryBank, BankAccountGLAccountCode"),
             "-200000|-200000|-200000|200000|1000");
    // A row only passed through is not written.
    h.focus("txtOffsetAmount");
    h.tab();
    h.navigate("navPrevious");
    QVERIFY(h.columns("BC1", "BankAccountGLAccountCode") == "null");
    // A changed row is written when the window closes: a missing date becomes today's, and a
    // stranger type (the field is filled only by its list) becomes a bank charge.
    h.navigate("navNext");
    h.type("txtTransDesc", "Corrected");
    h.get<QLineEdit>("txtTransType")->setText("9");
    h.click("cmdClose");
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.columns("BC1", "TransDate, TransType, TransDesc"), "2003-01-15|5|Corrected");
}

void TestBankChargesInterestWindow::find() {
    EntryDriver h;
    h.addRow({"BC3", "2003-01-13", "5"});
    h.addRow({"BC2", "2003-01-12", "7"});
    h.addRow({"BC1", "2003-01-11", "6"});
    h.addRow({"1001", "2003-01-14"});
    h.openBank();
    h.finds.push_back("BC2");
    h.click("cmdFindByPV");
    QCOMPARE(h.caption(), "BC/Int/Misc: 2 of 3");
    // A payment voucher's number is no bank entry.
    h.finds.push_back("1001");
    h.book.prompts.expectMatch(QStringLiteral(" 1001 was not found\\.$"));
    h.click("cmdFindByPV");
}

QTEST_MAIN(TestBankChargesInterestWindow)
#include "tst_bankchargesinterestwindow.moc"
