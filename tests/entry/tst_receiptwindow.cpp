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
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <memory>

namespace {

using Answer = Prompts::Answer;

const QString kSaveQuestion =
    QStringLiteral("The Receipt has passed validation. \r\n\r\nDo you wish to save?");
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
                     "DoubleEntryGST) VALUES (?, ?, ?, '1', 'C1', '4000', 1000000, 'G', 0.07, "
                     "70000, 1070000, 1070000, -1000000, -70000)"),
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
        return book
            .value(QStringLiteral("SELECT NextReceipt || '/' || NextCheque FROM tblBankDetails"))
            .toString();
    }

    void add(bool acceptOffer, int number = 500) {
        book.prompts.expect(
            QStringLiteral("The next Receipt Number is %1.\r\n\r\nWould you like to use it?")
                .arg(number),
            acceptOffer ? Answer::Yes : Answer::No);
        click(QStringLiteral("cmdAdd"));
    }
    // A valid receipt: picked customer, picked sales account, base amount.
    void fill() {
        pickParty({"C1", "Brown & Co", "9 High St", "", "Shelbyville", "State", "54321"});
        dropDown(QStringLiteral("txtCustomerID"));
        pickAccount(QStringLiteral("4000"), QStringLiteral("Sales"));
        dropDown(QStringLiteral("cboGLOffsetAccountCode"));
        enter(QStringLiteral("txtOffsetAmount"), QStringLiteral("100"));
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
    h.addPayment(QStringLiteral("900"));
    h.open();
    QCOMPARE(h.window->objectName(), QStringLiteral("frmReceipts"));
    QCOMPARE(h.caption(), QStringLiteral("Receipt: 0"));
    QCOMPARE(h.focusName(), QStringLiteral("cmdAdd"));
    for (const char* name : {"txtCustomerID", "txtTransID", "txtOffsetAmount", "cmdSave"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    QVERIFY(h.get(QStringLiteral("cmdFindByPV"))->isEnabled());
    // The customer's fields and the receipt's own captions, each label the buddy of its field.
    QVERIFY(!h.window->findChild<QWidget*>(QStringLiteral("txtVendorID")));
    QStringList labels;
    for (QLabel* label : h.window->findChildren<QLabel*>())
        labels << (label->buddy() ? label->buddy()->objectName() + QLatin1Char('=') : QString()) +
                      label->text();
    for (const char* expected :
         {"txtCustomerID=Custome&r ID:", "txtCustomerName=Customer:", "txtTransID=Receipt &No:"})
        QVERIFY2(labels.contains(QString::fromLatin1(expected)), expected);
    QVERIFY(!labels.join(QLatin1Char('|')).contains(QLatin1String("Payment")));
    QCOMPARE(h.get<QGroupBox>(QStringLiteral("fraPayTo"))->title(), QStringLiteral("REC'D from:"));
    // F1 opens the receipts' own help page.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(h.book.launcher.helpTopics, QStringList{QStringLiteral("frmReceipts")});
    // Save and Delete in the empty book say there is nothing to work on.
    h.book.prompts.expect(QStringLiteral("There is no record to save."))
        .expect(QStringLiteral("There are no records to delete."));
    emit h.get<QAbstractButton>(QStringLiteral("cmdSave"))->clicked();
    emit h.get<QAbstractButton>(QStringLiteral("cmdDelete"))->clicked();
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
        h.pickTax(QStringLiteral("G"), QStringLiteral("7.00%"));
        h.dropDown(QStringLiteral("cboGSTCode"));
        h.tab();
        QCOMPARE(h.text(QStringLiteral("txtTotal")), QStringLiteral("$107.00"));
    }
    h.get<QLineEdit>(QStringLiteral("txtTransType"))->setText(typed);
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.rows(), 1);
    QCOMPARE(
        h.columns(QStringLiteral("500"),
                  QStringLiteral("TransType, TransStatus, CustID, CustomerName, Address3, "
                                 "PostalCode, VendorID, VendorName, BankAccountGLAccountCode")),
        QStringLiteral("3|1|C1|Brown & Co|Shelbyville|54321|null|null|1000"));
    // The amounts as entered; the direction is in the double entry only.
    QCOMPARE(h.columns(QStringLiteral("500"), kAmounts),
             withTax ? QStringLiteral("1000000|70000|1070000|1070000|-1000000|-70000")
                     : QStringLiteral("1000000|null|1000000|1000000|-1000000|0"));
}

void TestReceiptWindow::typeListFillsArClearing() {
    Harness h;
    h.openAdding();
    QCOMPARE(h.get<QListWidget>(QStringLiteral("lstTransType"))->count(), 2);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("3"));
    h.focus(QStringLiteral("txtTransType"));
    QWidget* type = h.get(QStringLiteral("txtTransType"));
    QTest::keyClick(type, Qt::Key_4);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("4"));
    QCOMPARE(h.text(QStringLiteral("cboGLOffsetAccountCode")), QStringLiteral("1300"));
    QCOMPARE(h.text(QStringLiteral("txtGLOffsetDeptCode")), QStringLiteral("SALES"));
    QCOMPARE(h.text(QStringLiteral("txtGLOffsetAccountDesc")), QStringLiteral("AR Clearing"));
    // The payment codes are not receipt types: typing them chooses nothing.
    QTest::keyClick(type, Qt::Key_2);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("4"));
    QTest::keyClick(type, Qt::Key_Up);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("3"));
    QVERIFY(h.text(QStringLiteral("cboGLOffsetAccountCode")).isEmpty());
    QVERIFY(h.text(QStringLiteral("txtGLOffsetAccountDesc")).isEmpty());
    // Saved as type 4 against the AR clearing account.
    QTest::keyClick(type, Qt::Key_Down);
    h.fill();
    h.pickAccount(QStringLiteral("1300"), QStringLiteral("AR Clearing"));
    h.dropDown(QStringLiteral("cboGLOffsetAccountCode"));
    h.tab();
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.columns(QStringLiteral("500"), QStringLiteral("TransType, OffsetGLAccountCode")),
             QStringLiteral("4|1300"));
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
    h.enter(QStringLiteral("cboGLOffsetAccountCode"), account);
    if (message.isEmpty()) {
        h.save();
        QCOMPARE(h.column(QStringLiteral("500"), QStringLiteral("OffsetGLAccountCode")).toString(),
                 account);
    } else {
        h.book.prompts.expect(message);
        h.click(QStringLiteral("cmdSave"));
        QCOMPARE(h.focusName(), QStringLiteral("cboGLOffsetAccountCode"));
        QCOMPARE(h.rows(), 0);
        QCOMPARE(h.counters(), QStringLiteral("500/1001"));
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
            QCOMPARE(h.text(QStringLiteral("txtTransID")),
                     step == QLatin1String("accept") ? QStringLiteral("500") : QString());
            QCOMPARE(h.focusName(), QStringLiteral("txtCustomerID"));
        } else if (step == QLatin1String("undo")) {
            h.click(QStringLiteral("cmdUndo"));
            QCOMPARE(h.caption(), QStringLiteral("Receipt: 0"));
        } else {
            h.enter(QStringLiteral("txtTransID"), step.mid(5));
        }
    }
    h.fill();
    h.save();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.column(savedId, QStringLiteral("TransID")).isValid());
    // The voucher counter belongs to payments.
    QCOMPARE(h.counters(), QStringLiteral("%1/1001").arg(counter));
    QCOMPARE(h.caption(), QStringLiteral("Receipt: 1 of 1"));
    // The next Add offers the receipt counter as it now stands.
    h.add(false, counter);
}

void TestReceiptWindow::counterUnreadable() {
    Harness h;
    h.book.sql(QStringLiteral("UPDATE tblBankDetails SET NextReceipt = NULL"));
    h.open();
    h.book.prompts.expectMatch(QStringLiteral(
        "^An error has occurred\\.\r\n\r\nError Number: .*\r\nError Description: .*\r\nForm: "
        "frmReceipts\r\nRoutine: NextReceiptNum$"));
    h.click(QStringLiteral("cmdAdd"));
    h.book.prompts.verifyAllShown();
    // No number is offered; it is typed.
    QVERIFY(h.window->navigator().isAdding());
    QVERIFY(h.text(QStringLiteral("txtTransID")).isEmpty());
}

void TestReceiptWindow::findsReceiptsOnly() {
    Harness h;
    h.addReceipt(QStringLiteral("R2"), QStringLiteral("2003-01-12"));
    h.addReceipt(QStringLiteral("R1"), QStringLiteral("2003-01-11"), QStringLiteral("4"));
    h.addPayment(QStringLiteral("1001"));
    h.open();
    QCOMPARE(h.caption(), QStringLiteral("Receipt: 1 of 2"));
    h.finds.push_back(QStringLiteral("r1"));
    h.click(QStringLiteral("cmdFindByPV"));
    QCOMPARE(h.findRequests.value(0),
             QStringLiteral("Type Receipt Number to find|SELECT TransID FROM tblCashbook WHERE "
                            "tblCashbook.TransType IN ('3','4')ORDER BY TransID"));
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("R1"));
    QCOMPARE(h.caption(), QStringLiteral("Receipt: 2 of 2"));
    // A payment voucher's number is not a receipt.
    h.navigate("navFirst");
    h.finds.push_back(QStringLiteral("1001"));
    h.book.prompts.expect(QStringLiteral("Receipt Number 1001 was not found."));
    h.click(QStringLiteral("cmdFindByPV"));
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), QStringLiteral("Receipt: 2 of 2"));
}

void TestReceiptWindow::unknownCustomer() {
    Harness h;
    h.openAdding();
    h.type(QStringLiteral("txtCustomerID"), QStringLiteral("V1"));
    h.book.prompts.expect(
        QStringLiteral("That Customer ID is unknown.\r\n\r\nPlease select from an existing "
                       "Customer ID, \r\nor create a new customer record."));
    h.tab();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.text(QStringLiteral("txtCustomerID")).isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("txtTransType"));
    // A known customer typed by hand stays.
    h.enter(QStringLiteral("txtCustomerID"), QStringLiteral("c1"));
    QCOMPARE(h.text(QStringLiteral("txtCustomerID")), QStringLiteral("c1"));
    // A missing customer is the check's own refusal.
    h.fill();
    h.enter(QStringLiteral("txtCustomerID"), QString());
    h.book.prompts.expect(QStringLiteral("Must enter a Customer ID."));
    h.click(QStringLiteral("cmdSave"));
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.focusName(), QStringLiteral("txtCustomerID"));
}

void TestReceiptWindow::leavingChangedReceiptWritesItsSigns() {
    Harness h;
    h.addReceipt(QStringLiteral("R2"), QStringLiteral("2003-01-12"));
    h.addReceipt(QStringLiteral("R1"), QStringLiteral("2003-01-11"));
    h.open();
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("200"));
    h.navigate("navNext");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), QStringLiteral("Receipt: 2 of 2"));
    // Written as Save writes a receipt: the bank side positive, the others negative.
    QCOMPARE(h.columns(QStringLiteral("R2"), kAmounts),
             QStringLiteral("2000000|140000|2140000|2140000|-2000000|-140000"));
    // Closing on a changed receipt writes it too.
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("50"));
    h.click(QStringLiteral("cmdClose"));
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.columns(QStringLiteral("R1"), kAmounts),
             QStringLiteral("500000|35000|535000|535000|-500000|-35000"));
}

QTEST_MAIN(TestReceiptWindow)
#include "tst_receiptwindow.moc"
