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
#include <QSqlRecord>
#include <memory>

namespace {

using Answer = Prompts::Answer;

const QString kSaveQuestion =
    QStringLiteral("The Receipt has passed validation. \r\n\r\nDo you wish to save?");

QString offer(int number) {
    return QStringLiteral("The next Receipt Number is %1.\r\n\r\nWould you like to use it?")
        .arg(number);
}

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

    void open() { window = openVoucher(VoucherKind::receipt()); }

    int counter(const char* column) {
        return book
            .value(QStringLiteral("SELECT %1 FROM tblBankDetails").arg(QLatin1String(column)))
            .toInt();
    }

    void add(bool acceptOffer, int number = 500) {
        book.prompts.expect(offer(number), acceptOffer ? Answer::Yes : Answer::No);
        click(QStringLiteral("cmdAdd"));
    }
    // A valid receipt: picked customer, picked sales account, base amount.
    void fill(const QString& base = QStringLiteral("100")) {
        pickParty({"C1", "Brown & Co", "9 High St", "", "Shelbyville", "State", "54321"});
        dropDown(QStringLiteral("txtCustomerID"));
        pickAccount(QStringLiteral("4000"), QStringLiteral("Sales"));
        dropDown(QStringLiteral("cboGLOffsetAccountCode"));
        type(QStringLiteral("txtOffsetAmount"), base);
        tab();
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
    void typeCorrected_data();
    void typeCorrected();
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
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Receipts"));
    QCOMPARE(h.caption(), QStringLiteral("Receipt: 0"));
    QCOMPARE(h.focusName(), QStringLiteral("cmdAdd"));
    for (const char* name : {"txtCustomerID", "txtTransID", "txtOffsetAmount", "cmdSave"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    QVERIFY(h.get(QStringLiteral("cmdFindByPV"))->isEnabled());
    // The customer's fields and the receipt's own captions, each label the buddy of its field.
    QVERIFY(!h.window->findChild<QWidget*>(QStringLiteral("txtVendorID")));
    QCOMPARE(h.get<QLineEdit>(QStringLiteral("txtCustomerName"))->maxLength(), 30);
    QStringList labels;
    for (QLabel* label : h.window->findChildren<QLabel*>())
        labels << (label->buddy() ? label->buddy()->objectName() + QLatin1Char('=') : QString()) +
                      label->text();
    for (const char* expected :
         {"txtCustomerID=Custome&r ID:", "txtCustomerName=Customer:", "txtTransID=Receipt &No:"})
        QVERIFY2(labels.contains(QString::fromLatin1(expected)), expected);
    QVERIFY(labels.contains(QStringLiteral("Received by: ____________________")));
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
    h.book.prompts.verifyAllShown();
}

void TestReceiptWindow::savedColumnsAndSigns_data() {
    QTest::addColumn<bool>("withTax");
    QTest::newRow("base 100, tax 7") << true;
    QTest::newRow("base 100, no tax") << false;
}

void TestReceiptWindow::savedColumnsAndSigns() {
    QFETCH(bool, withTax);
    Harness h;
    h.open();
    h.add(true);
    h.fill();
    if (withTax) {
        h.pickTax(QStringLiteral("G"), QStringLiteral("7.00%"));
        h.dropDown(QStringLiteral("cboGSTCode"));
        h.tab();
        QCOMPARE(h.text(QStringLiteral("txtTotal")), QStringLiteral("$107.00"));
    }
    h.save();
    h.book.prompts.verifyAllShown();
    QSqlQuery q = h.book.db.exec(QStringLiteral("SELECT * FROM tblCashbook"));
    QVERIFY(q.next());
    const QSqlRecord r = q.record();
    const qint64 tax = withTax ? 70000 : 0;
    QCOMPARE(r.value("TransID").toString(), QStringLiteral("500"));
    QCOMPARE(r.value("TransType").toString(), QStringLiteral("3"));
    QCOMPARE(r.value("TransStatus").toString(), QStringLiteral("1"));
    QCOMPARE(r.value("CustID").toString(), QStringLiteral("C1"));
    QCOMPARE(r.value("CustomerName").toString(), QStringLiteral("Brown & Co"));
    QCOMPARE(r.value("Address3").toString(), QStringLiteral("Shelbyville"));
    QCOMPARE(r.value("PostalCode").toString(), QStringLiteral("54321"));
    QVERIFY(r.value("VendorID").isNull());
    QVERIFY(r.value("VendorName").isNull());
    // The amounts as entered; the direction is in the double entry only.
    QCOMPARE(r.value("OffsetAmount").toLongLong(), qint64(1000000));
    QCOMPARE(r.value("OffsetGSTAmount").toLongLong(), tax);
    QCOMPARE(r.value("BankAccountAmount").toLongLong(), 1000000 + tax);
    QCOMPARE(r.value("DoubleEntryBank").toLongLong(), 1000000 + tax);
    QCOMPARE(r.value("DoubleEntryOffset").toLongLong(), qint64(-1000000));
    QVERIFY(!r.value("DoubleEntryGST").isNull());
    QCOMPARE(r.value("DoubleEntryGST").toLongLong(), -tax);
    QCOMPARE(r.value("BankAccountGLAccountCode").toString(), QStringLiteral("1000"));
}

void TestReceiptWindow::typeListFillsArClearing() {
    Harness h;
    h.open();
    h.add(true);
    auto* list = h.get<QListWidget>(QStringLiteral("lstTransType"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("3. Receipt - CB Only"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("4. Receipt - CB / AR"));
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("3"));
    h.focus(QStringLiteral("txtTransType"));
    QTest::keyClick(h.get(QStringLiteral("txtTransType")), Qt::Key_4);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("4"));
    QCOMPARE(h.text(QStringLiteral("cboGLOffsetAccountCode")), QStringLiteral("1300"));
    QCOMPARE(h.text(QStringLiteral("txtGLOffsetDeptCode")), QStringLiteral("SALES"));
    QCOMPARE(h.text(QStringLiteral("txtGLOffsetAccountDesc")), QStringLiteral("AR Clearing"));
    // The payment codes are not receipt types: typing them chooses nothing.
    QTest::keyClick(h.get(QStringLiteral("txtTransType")), Qt::Key_2);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("4"));
    QTest::keyClick(h.get(QStringLiteral("txtTransType")), Qt::Key_Up);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("3"));
    QVERIFY(h.text(QStringLiteral("cboGLOffsetAccountCode")).isEmpty());
    QVERIFY(h.text(QStringLiteral("txtGLOffsetAccountDesc")).isEmpty());

    // Saved as type 4 against the AR clearing account.
    QTest::keyClick(h.get(QStringLiteral("txtTransType")), Qt::Key_Down);
    h.fill();
    h.pickAccount(QStringLiteral("1300"), QStringLiteral("AR Clearing"));
    h.dropDown(QStringLiteral("cboGLOffsetAccountCode"));
    h.tab();
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.column(QStringLiteral("500"), QStringLiteral("TransType")).toString(),
             QStringLiteral("4"));
    QCOMPARE(h.column(QStringLiteral("500"), QStringLiteral("OffsetGLAccountCode")).toString(),
             QStringLiteral("1300"));
}

void TestReceiptWindow::typeCorrected_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("2 becomes 3") << "2"
                                 << "3";
    QTest::newRow("5 becomes 3") << "5"
                                 << "3";
    QTest::newRow("4 stays") << "4"
                             << "4";
}

void TestReceiptWindow::typeCorrected() {
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    Harness h;
    h.open();
    h.add(true);
    h.fill();
    // The type field is filled only by its list; a stranger value is put right by the check.
    h.get<QLineEdit>(QStringLiteral("txtTransType"))->setText(typed);
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.column(QStringLiteral("500"), QStringLiteral("TransType")).toString(), saved);
    QCOMPARE(h.rows(), 1);
}

void TestReceiptWindow::controlAccounts_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<bool>("ap");
    QTest::addColumn<bool>("ar");
    QTest::addColumn<QString>("message");
    const QString ar = QStringLiteral(
        "Integrated with AR.  Therefore, you cannot\r\nchoose the AR Control Account.");
    const QString ap = QStringLiteral(
        "Integrated with AP.  Therefore, you cannot\r\nchoose the AP Control Account.");
    QTest::newRow("AR control, AR on") << "1200" << false << true << ar;
    QTest::newRow("AR control, AR off") << "1200" << true << false << "";
    QTest::newRow("AP control, AP on") << "2000" << true << false << ap;
    QTest::newRow("AP control, AP off") << "2000" << false << true << "";
}

void TestReceiptWindow::controlAccounts() {
    QFETCH(QString, account);
    QFETCH(bool, ap);
    QFETCH(bool, ar);
    QFETCH(QString, message);
    Harness h;
    h.book.sql(
        QStringLiteral("UPDATE tblAccpacSettings SET IntegrateWithAP = ?, IntegrateWithAR = ?"),
        {int(ap), int(ar)});
    h.open();
    h.add(true);
    h.fill();
    h.type(QStringLiteral("cboGLOffsetAccountCode"), account);
    h.tab();
    if (message.isEmpty()) {
        h.save();
        QCOMPARE(h.column(QStringLiteral("500"), QStringLiteral("OffsetGLAccountCode")).toString(),
                 account);
    } else {
        h.book.prompts.expect(message);
        h.click(QStringLiteral("cmdSave"));
        QCOMPARE(h.focusName(), QStringLiteral("cboGLOffsetAccountCode"));
        QCOMPARE(h.rows(), 0);
        QCOMPARE(h.counter("NextReceipt"), 500);
    }
    h.book.prompts.verifyAllShown();
}

void TestReceiptWindow::numbering_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("savedId");
    QTest::addColumn<int>("counter");
    QTest::newRow("500 accepted") << "accept"
                                  << "500" << 501;
    QTest::newRow("refused and typed") << "refuse type:R77"
                                       << "R77" << 500;
    QTest::newRow("accepted, undone, another row saved") << "accept undo refuse type:R78"
                                                         << "R78" << 500;
}

void TestReceiptWindow::numbering() {
    QFETCH(QString, script);
    QFETCH(QString, savedId);
    QFETCH(int, counter);
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
        } else if (step.startsWith(QLatin1String("type:"))) {
            h.type(QStringLiteral("txtTransID"), step.mid(5));
            h.tab();
        }
    }
    h.fill();
    h.save();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.column(savedId, QStringLiteral("TransID")).isValid());
    QCOMPARE(h.counter("NextReceipt"), counter);
    // The voucher counter belongs to payments.
    QCOMPARE(h.counter("NextCheque"), 1001);
    QCOMPARE(h.caption(), QStringLiteral("Receipt: 1 of 1"));
    // The next Add offers the receipt counter as it now stands.
    h.add(false, counter);
    h.book.prompts.verifyAllShown();
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
    h.open();
    h.add(true);
    h.type(QStringLiteral("txtCustomerID"), QStringLiteral("V1"));
    h.book.prompts.expect(
        QStringLiteral("That Customer ID is unknown.\r\n\r\nPlease select from an existing "
                       "Customer ID, \r\nor create a new customer record."));
    h.tab();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.text(QStringLiteral("txtCustomerID")).isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("txtTransType"));
    // A known customer typed by hand stays.
    h.type(QStringLiteral("txtCustomerID"), QStringLiteral("c1"));
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtCustomerID")), QStringLiteral("c1"));
    // A missing customer is the check's own refusal.
    h.fill();
    h.type(QStringLiteral("txtCustomerID"), QString());
    h.tab();
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
    QCOMPARE(h.column(QStringLiteral("R2"), QStringLiteral("BankAccountAmount")).toLongLong(),
             qint64(2140000));
    QCOMPARE(h.column(QStringLiteral("R2"), QStringLiteral("DoubleEntryBank")).toLongLong(),
             qint64(2140000));
    QCOMPARE(h.column(QStringLiteral("R2"), QStringLiteral("DoubleEntryOffset")).toLongLong(),
             qint64(-2000000));
    QCOMPARE(h.column(QStringLiteral("R2"), QStringLiteral("DoubleEntryGST")).toLongLong(),
             qint64(-140000));
    // Closing on a changed receipt writes it too.
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("50"));
    h.click(QStringLiteral("cmdClose"));
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.column(QStringLiteral("R1"), QStringLiteral("DoubleEntryBank")).toLongLong(),
             qint64(535000));
    QCOMPARE(h.column(QStringLiteral("R1"), QStringLiteral("DoubleEntryOffset")).toLongLong(),
             qint64(-500000));
}

QTEST_MAIN(TestReceiptWindow)
#include "tst_receiptwindow.moc"
