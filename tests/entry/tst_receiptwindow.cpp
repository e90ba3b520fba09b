// The receipt window: the payment voucher window configured for receipts. What is tested
// here is what differs from a payment: the customer, the types and their AR clearing
// account, the receipt counter, the signs of the double entry, and the rows it finds.
#include "data/messages.h"
#include "data/recordnavigator.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "entrydriver.h"

#include <QLineEdit>

namespace {

const VoucherKind& receipt = VoucherKind::receipt();

} // namespace

class TestReceiptWindow : public QObject {
    Q_OBJECT

private slots:
    void savedColumnsAndSigns_data();
    void savedColumnsAndSigns();
    void counterUnreadable();
    void findsReceiptsOnly();
    void typesAndCustomer();
};

void TestReceiptWindow::savedColumnsAndSigns_data() {
    QTest::addColumn<bool>("withTax");
    QTest::addColumn<QString>("typed"); // a stranger type, put right by the check
    QTest::newRow("base 100, tax 7, type 2") << true << "2";
    QTest::newRow("base 100, no tax, type 5") << false << "5";
}

void TestReceiptWindow::savedColumnsAndSigns() {
    QFETCH(bool, withTax);
    QFETCH(QString, typed);
    EntryDriver h;
    h.open(receipt);
    h.add();
    QCOMPARE(h.text("txtTransID"), "500");
    h.fill();
    if (withTax) {
        h.chooseTax("G", "7.00%");
        h.tab();
    }
    h.get<QLineEdit>("txtTransType")->setText(typed);
    h.save();
    QCOMPARE(h.columns("500", "TransType, CustID, CustomerName, Address3, PostalCode, VendorID, "
                              "VendorName, BankAccountGLAccountCode"),
             "3|C1|Brown & Co|Shelbyville|54321|null|null|1000");
    // Money received: the bank side positive, the offset and tax sides negative.
    QCOMPARE(h.columns("500", "OffsetAmount, OffsetGSTAmount, BankAccountAmount, "
                              "DoubleEntryBank, DoubleEntryOffset, DoubleEntryGST"),
             withTax ? "1000000|70000|1070000|1070000|-1000000|-70000"
                     : "1000000|null|1000000|1000000|-1000000|0");
    // The receipt counter moved on; the voucher counter belongs to payments. The next Add
    // offers the receipt counter as it now stands.
    QCOMPARE(h.counters(), "1001/501");
    h.add(false);
}

void TestReceiptWindow::counterUnreadable() {
    EntryDriver h;
    h.book.sql("UPDATE tblBankDetails SET NextReceipt = NULL");
    h.open(receipt);
    h.book.prompts.expect(Messages::errorReport(94, "Invalid use of Null", receipt.windowName,
                                                receipt.counterRoutine));
    h.click("cmdAdd");
    // No number is offered; it is typed.
    QVERIFY(h.window->navigator().isAdding());
    QVERIFY(h.text("txtTransID").isEmpty());
}

void TestReceiptWindow::findsReceiptsOnly() {
    EntryDriver h;
    h.addRow({"R2", "2003-01-12", "3"});
    h.addRow({"R1", "2003-01-11", "4"});
    h.addRow({"1001", "2003-01-14"});
    h.open(receipt);
    QCOMPARE(h.caption(), "Receipt: 1 of 2");
    h.finds.push_back("r1");
    h.click("cmdFindByPV");
    QCOMPARE(h.text("txtTransID"), "R1");
    QCOMPARE(h.caption(), "Receipt: 2 of 2");
    // A payment voucher's number is not a receipt.
    h.finds.push_back("1001");
    h.book.prompts.expect(receipt.notFoundLabel + "1001 was not found.");
    h.click("cmdFindByPV");
}

void TestReceiptWindow::typesAndCustomer() {
    EntryDriver h;
    h.open(receipt);
    h.add();
    QCOMPARE(h.text("txtTransType"), "3");
    h.focus("txtTransType");
    QWidget* type = h.get("txtTransType");
    QTest::keyClick(type, Qt::Key_4);
    QCOMPARE(h.texts("txtTransType cboGLOffsetAccountCode txtGLOffsetDeptCode "
                     "txtGLOffsetAccountDesc"),
             "4|1300|SALES|AR Clearing");
    // The payment codes are not receipt types: typing them chooses nothing.
    QTest::keyClick(type, Qt::Key_2);
    QCOMPARE(h.text("txtTransType"), "4");
    QTest::keyClick(type, Qt::Key_Up);
    QCOMPARE(h.texts("txtTransType cboGLOffsetAccountCode"), "3|");
    // A vendor's code is no customer.
    h.type("txtCustomerID", "V1");
    h.book.prompts.expect(receipt.unknownPartyMessage);
    h.tab();
    QVERIFY(h.text("txtCustomerID").isEmpty());
    // A known customer typed by hand brings the payer's name, as a pick does.
    h.enter("txtCustomerID", "c1");
    QCOMPARE(h.texts("txtCustomerID txtCustomerName"), "C1|Brown & Co");
    h.fill();
    h.enter("txtCustomerID", QString());
    h.book.prompts.expect(receipt.missingPartyMessage);
    h.click("cmdSave");
    QCOMPARE(h.focusName(), "txtCustomerID");
}

QTEST_MAIN(TestReceiptWindow)
#include "tst_receiptwindow.moc"
