// The receipt window: the payment voucher window configured for receipts, driven as a user
// drives it. What is tested here is what differs from a payment: the customer, the types and
// their AR clearing account, the receipt counter, the signs of the double entry, the texts
// and the find.
#include "data/recordnavigator.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "entrydriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <memory>

namespace {

using Answer = Prompts::Answer;

const QString kSaveQuestion = "The Receipt has passed validation. \r\n\r\nDo you wish to save?";
const QString kAmounts = QStringLiteral("OffsetAmount, OffsetGSTAmount, BankAccountAmount, "
                                        "DoubleEntryBank, DoubleEntryOffset, DoubleEntryGST");

class Harness : public EntryDriver {
public:
    // A stored receipt of 100 + 7 from customer C1.
    void addReceipt(const QString& id, const QString& date, const QString& type = "3") {
        book.sql(QStringLiteral(
                     "INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, CustID, "
                     "OffsetGLAccountCode, OffsetAmount, OffsetGSTTaxCode, OffsetGSTTaxRate, "
                     "OffsetGSTAmount, BankAccountAmount, DoubleEntryBank, DoubleEntryOffset, "
                     "DoubleEntryGST, OffsetGSTGLAccountCode) VALUES (?, ?, ?, '1', 'C1', '4000', "
                     "1000000, 'G', 0.07, 70000, 1070000, 1070000, -1000000, -70000, '2200')"),
                 {id, date, type});
    }
    void addPayment(const QString& id) {
        book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, "
                                "TransStatus) VALUES (?, '2003-01-14', '1', '1')"),
                 {id});
    }

    void openAdding() {
        open();
        add(true);
    }
    void open() { window = openVoucher(VoucherKind::receipt()); }

    QString counters() {
        return book.value("SELECT NextReceipt || '/' || NextCheque FROM tblBankDetails").toString();
    }

    void add(bool acceptOffer, int number = 500) {
        book.prompts.expect(
            QStringLiteral("The next Receipt Number is %1.\r\n\r\nWould you like to use it?")
                .arg(number),
            acceptOffer ? Answer::Yes : Answer::No);
        click("cmdAdd");
    }
    // A valid receipt: picked customer, picked sales account, base amount.
    void fill() {
        pickParty({"C1", "Brown & Co", "9 High St", "", "Shelbyville", "State", "54321"});
        dropDown("txtCustomerID");
        pickAccount("4000", "Sales");
        dropDown("cboGLOffsetAccountCode");
        enter("txtOffsetAmount", "100");
    }
    void save() { saveAnswering(kSaveQuestion); }

    std::unique_ptr<PaymentVoucherWindow> window;
};

} // namespace

class TestReceiptWindow : public QObject {
    Q_OBJECT

private slots:
    void emptyBookAndTexts();
    void savedColumnsAndSigns_data();
    void savedColumnsAndSigns();
    void typeListFillsArClearing();
    void controlAccounts_data();
    void controlAccounts();
    void numbering_data();
    void numbering();
    void counterUnreadable();
    void findsReceiptsOnly();
    void unknownCustomer();
    void leavingChangedReceiptWritesItsSigns();
};

void TestReceiptWindow::emptyBookAndTexts() {
    Harness h;
    h.addPayment("900");
    h.open();
    QCOMPARE(h.window->objectName(), "frmReceipts");
    QCOMPARE(h.caption(), "Receipt: 0");
    QCOMPARE(h.focusName(), "cmdAdd");
    for (const char* name : {"txtCustomerID", "txtTransID", "txtOffsetAmount", "cmdSave"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    QVERIFY(h.get("cmdFindByPV")->isEnabled());
    // The customer's fields in place of the vendor's.
    QVERIFY(!h.window->findChild<QWidget*>("txtVendorID"));
    QVERIFY(h.get("txtCustomerName"));
    // F1 opens the receipts' own help page.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(h.book.launcher.helpTopics, QStringList{"frmReceipts"});
    // Save and Delete in the empty book say there is nothing to work on.
    h.book.prompts.expect("There is no record to save.").expect("There are no records to delete.");
    emit h.get<QAbstractButton>("cmdSave")->clicked();
    emit h.get<QAbstractButton>("cmdDelete")->clicked();
}

void TestReceiptWindow::savedColumnsAndSigns_data() {
    QTest::addColumn<bool>("withTax");
    QTest::addColumn<QString>("typed"); // a stranger type, put right by the check
    QTest::newRow("base 100, tax 7, type 2") << true << "2";
    QTest::newRow("base 100, no tax, type 5") << false << "5";
}

void TestReceiptWindow::savedColumnsAndSigns() {
    QFETCH(bool, withTax);
    QFETCH(QString, typed);
    Harness h;
    h.openAdding();
    h.fill();
    if (withTax) {
        h.pickTax("G", "7.00%");
        h.dropDown("cboGSTCode");
        h.tab();
        QCOMPARE(h.text("txtTotal"), "$107.00");
    }
    h.get<QLineEdit>("txtTransType")->setText(typed);
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.rows(), 1);
    QCOMPARE(h.columns("500", QStringLiteral(
                                  "TransType, TransStatus, CustID, CustomerName, Address3, "
                                  "PostalCode, VendorID, VendorName, BankAccountGLAccountCode")),
             "3|1|C1|Brown & Co|Shelbyville|54321|null|null|1000");
    // The amounts as entered; the direction is in the double entry only.
    QCOMPARE(h.columns("500", kAmounts), withTax ? "1000000|70000|1070000|1070000|-1000000|-70000"
                                                 : "1000000|null|1000000|1000000|-1000000|0");
}

void TestReceiptWindow::typeListFillsArClearing() {
    Harness h;
    h.openAdding();
    QCOMPARE(h.get<QListWidget>("lstTransType")->count(), 2);
    QCOMPARE(h.text("txtTransType"), "3");
    h.focus("txtTransType");
    QWidget* type = h.get("txtTransType");
    QTest::keyClick(type, Qt::Key_4);
    QCOMPARE(h.text("txtTransType"), "4");
    QCOMPARE(h.text("cboGLOffsetAccountCode"), "1300");
    QCOMPARE(h.text("txtGLOffsetDeptCode"), "SALES");
    QCOMPARE(h.text("txtGLOffsetAccountDesc"), "AR Clearing");
    // The payment codes are not receipt types: typing them chooses nothing.
    QTest::keyClick(type, Qt::Key_2);
    QCOMPARE(h.text("txtTransType"), "4");
    QTest::keyClick(type, Qt::Key_Up);
    QCOMPARE(h.text("txtTransType"), "3");
    QVERIFY(h.text("cboGLOffsetAccountCode").isEmpty());
    QVERIFY(h.text("txtGLOffsetAccountDesc").isEmpty());
    // Saved as type 4 against the AR clearing account.
    QTest::keyClick(type, Qt::Key_Down);
    h.fill();
    h.pickAccount("1300", "AR Clearing");
    h.dropDown("cboGLOffsetAccountCode");
    h.tab();
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.columns("500", "TransType, OffsetGLAccountCode"), "4|1300");
}

void TestReceiptWindow::controlAccounts_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<bool>("ap");
    QTest::addColumn<bool>("ar");
    QTest::addColumn<QString>("message");
    QTest::newRow("AR control, AR on") << "1200" << false << true << EntryTexts::arControl;
    QTest::newRow("AR control, AR off") << "1200" << true << false << QString();
    QTest::newRow("AP control, AP on") << "2000" << true << false << EntryTexts::apControl;
    QTest::newRow("AP control, AP off") << "2000" << false << true << QString();
}

void TestReceiptWindow::controlAccounts() {
    QFETCH(QString, account);
    QFETCH(bool, ap);
    QFETCH(bool, ar);
    QFETCH(QString, message);
    Harness h;
    h.integrate(ap, ar);
    h.openAdding();
    h.fill();
    h.enter("cboGLOffsetAccountCode", account);
    if (message.isEmpty()) {
        h.save();
        QCOMPARE(h.column("500", "OffsetGLAccountCode").toString(), account);
    } else {
        h.book.prompts.expect(message);
        h.click("cmdSave");
        QCOMPARE(h.focusName(), "cboGLOffsetAccountCode");
        QCOMPARE(h.rows(), 0);
        QCOMPARE(h.counters(), "500/1001");
    }
}

void TestReceiptWindow::numbering_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("savedId");
    QTest::newRow("500 accepted") << "accept" << 501 << "500";
    QTest::newRow("refused and typed") << "refuse type:R77" << 500 << "R77";
    QTest::newRow("accepted, undone, another saved")
        << "accept undo refuse type:R78" << 500 << "R78";
}

void TestReceiptWindow::numbering() {
    QFETCH(QString, script);
    QFETCH(int, counter);
    QFETCH(QString, savedId);
    Harness h;
    h.open();
    for (const QString& step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("accept") || step == QLatin1String("refuse")) {
            h.add(step == QLatin1String("accept"));
            QCOMPARE(h.text("txtTransID"), step == QLatin1String("accept") ? "500" : QString());
            QCOMPARE(h.focusName(), "txtCustomerID");
        } else if (step == QLatin1String("undo")) {
            h.click("cmdUndo");
            QCOMPARE(h.caption(), "Receipt: 0");
        } else {
            h.enter("txtTransID", step.mid(5));
        }
    }
    h.fill();
    h.save();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.column(savedId, "TransID").isValid());
    // The voucher counter belongs to payments.
    QCOMPARE(h.counters(), QStringLiteral("%1/1001").arg(counter));
    QCOMPARE(h.caption(), "Receipt: 1 of 1");
    // The next Add offers the receipt counter as it now stands.
    h.add(false, counter);
}

void TestReceiptWindow::counterUnreadable() {
    Harness h;
    h.book.sql("UPDATE tblBankDetails SET NextReceipt = NULL");
    h.open();
    h.book.prompts.expectMatch(QStringLiteral(
        "^An error has occurred\\.\r\n\r\nError Number: .*\r\nError Description: .*\r\nForm: "
        "frmReceipts\r\nRoutine: NextReceiptNum$"));
    h.click("cmdAdd");
    h.book.prompts.verifyAllShown();
    // No number is offered; it is typed.
    QVERIFY(h.window->navigator().isAdding());
    QVERIFY(h.text("txtTransID").isEmpty());
}

void TestReceiptWindow::findsReceiptsOnly() {
    Harness h;
    h.addReceipt("R2", "2003-01-12");
    h.addReceipt("R1", "2003-01-11", "4");
    h.addPayment("1001");
    h.open();
    QCOMPARE(h.caption(), "Receipt: 1 of 2");
    h.finds.push_back("r1");
    h.click("cmdFindByPV");
    QCOMPARE(h.findRequests.value(0),
             QStringLiteral("Type Receipt Number to find|SELECT TransID FROM tblCashbook WHERE "
                            "tblCashbook.TransType IN ('3','4')ORDER BY TransID"));
    QCOMPARE(h.text("txtTransID"), "R1");
    QCOMPARE(h.caption(), "Receipt: 2 of 2");
    // A payment voucher's number is not a receipt.
    h.navigate("navFirst");
    h.finds.push_back("1001");
    h.book.prompts.expect("Receipt Number 1001 was not found.");
    h.click("cmdFindByPV");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), "Receipt: 2 of 2");
}

void TestReceiptWindow::unknownCustomer() {
    Harness h;
    h.openAdding();
    h.type("txtCustomerID", "V1");
    h.book.prompts.expect(
        QStringLiteral("That Customer ID is unknown.\r\n\r\nPlease select from an existing "
                       "Customer ID, \r\nor create a new customer record."));
    h.tab();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.text("txtCustomerID").isEmpty());
    QCOMPARE(h.focusName(), "txtTransType");
    // A known customer typed by hand brings the payer's name, as a pick does.
    h.enter("txtCustomerID", "c1");
    QCOMPARE(h.text("txtCustomerID") + h.text("txtCustomerName"), "C1Brown & Co");
    // A missing customer is the check's own refusal.
    h.fill();
    h.enter("txtCustomerID", QString());
    h.book.prompts.expect("Must enter a Customer ID.");
    h.click("cmdSave");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.focusName(), "txtCustomerID");
}

void TestReceiptWindow::leavingChangedReceiptWritesItsSigns() {
    Harness h;
    h.addReceipt("R2", "2003-01-12");
    h.addReceipt("R1", "2003-01-11");
    h.open();
    h.type("txtOffsetAmount", "200");
    h.navigate("navNext");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), "Receipt: 2 of 2");
    // Written as Save writes a receipt: the bank side positive, the others negative.
    QCOMPARE(h.columns("R2", kAmounts), "2000000|140000|2140000|2140000|-2000000|-140000");
    // Closing on a changed receipt writes it too.
    h.type("txtOffsetAmount", "50");
    h.click("cmdClose");
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.columns("R1", kAmounts), "500000|35000|535000|535000|-500000|-35000");
}

QTEST_MAIN(TestReceiptWindow)
#include "tst_receiptwindow.moc"
