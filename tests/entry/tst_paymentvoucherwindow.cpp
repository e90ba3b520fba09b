// The payment voucher window driven as a user drives it: typing, Tab, drop-downs answered
// by scripted choosers, buttons, and message boxes answered by the scripted prompts.
#include "data/recordnavigator.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "entrydriver.h"
#include "shell/navigatorbar.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlRecord>
#include <QTest>
#include <QToolButton>
#include <deque>
#include <memory>

namespace {

using Answer = Prompts::Answer;

const QString kOffer1001 =
    QStringLiteral("The next Payment Voucher / Cheque Number is 1001.\r\n\r\nWould you "
                   "like to use it?");
const QString kSaveQuestion =
    QStringLiteral("The Payment Voucher has passed validation. \r\n\r\nDo you wish to save?");
const QString kMoveRefused =
    QStringLiteral("The record has not passed validation.\r\n\r\nTherefore, you "
                   "cannot move to the next/previous record.");
const QString kDuplicate =
    QStringLiteral("That Transaction ID appears to already exist.\r\nTransaction IDs "
                   "must be unique.\r\n\r\nPlease enter a new one.");
const QString kNegative =
    QStringLiteral("You have entered a negative amount.\r\n\r\nAre you sure?");

struct Row {
    QString id;
    QString date = QStringLiteral("2003-01-10");
    QString type = QStringLiteral("1");
    QString status = QStringLiteral("1");
    QVariant vendor = QStringLiteral("V1");
    qint64 base = 1000000;
    qint64 tax = 70000;
    QVariant rate = 0.07;
    QVariant taxCode = QStringLiteral("G");
};

// The payment voucher window over the entry tests' book.
class Harness : public EntryDriver {
public:
    void addRow(const Row& r) {
        book.sql(
            QStringLiteral(
                "INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, VendorID, "
                "OffsetGLAccountCode, OffsetAmount, OffsetGSTTaxCode, OffsetGSTTaxRate, "
                "OffsetGSTAmount, BankAccountAmount, DoubleEntryBank, DoubleEntryOffset, "
                "DoubleEntryGST) VALUES (?, ?, ?, ?, ?, '5000', ?, ?, ?, ?, ?, ?, ?, ?)"),
            {r.id, r.date, r.type, r.status, r.vendor, r.base, r.taxCode, r.rate, r.tax,
             r.base + r.tax, -(r.base + r.tax), r.base, r.tax});
    }

    void open() { window = openVoucher(VoucherKind::payment()); }

    void pickVendor() {
        pickParty({"V1", "Acme Ltd", "1 Main St", "Suite 2", "Springfield", "State", "12345"});
    }

    int counter() {
        return book.value(QStringLiteral("SELECT NextCheque FROM tblBankDetails")).toInt();
    }

    // Add, answering the offer of 1001.
    void add(bool acceptOffer) {
        book.prompts.expect(kOffer1001, acceptOffer ? Answer::Yes : Answer::No);
        click(QStringLiteral("cmdAdd"));
    }
    // Fills a valid voucher: picked vendor, picked account, base amount.
    void fill(const QString& base = QStringLiteral("100")) {
        pickVendor();
        dropDown(QStringLiteral("txtVendorID"));
        pickAccount(QStringLiteral("5000"), QStringLiteral("Office Supplies"));
        dropDown(QStringLiteral("cboGLOffsetAccountCode"));
        type(QStringLiteral("txtOffsetAmount"), base);
        tab();
    }
    void save() { saveAnswering(kSaveQuestion); }

    std::unique_ptr<PaymentVoucherWindow> window;
};

} // namespace

class TestPaymentVoucherWindow : public QObject {
    Q_OBJECT

private slots:
    void emptyBook();
    void fieldsAndTabOrder();
    void taxOnLeavingBase_data();
    void taxOnLeavingBase();
    void taxPickedAfterBase_data();
    void taxPickedAfterBase();
    void emptyingBaseEmptiesTax();
    void overtypedTaxSurvivesUntilBaseLeft();
    void storedPercentageRate();
    void amountChecks_data();
    void amountChecks();
    void typeList();
    void unknownCodes();
    void lockedRows_data();
    void lockedRows();
    void moveRefusalShowsBothMessages();
    void numbering_data();
    void numbering();
    void savedColumnsAndSigns_data();
    void savedColumnsAndSigns();
    void controlAccounts_data();
    void controlAccounts();
    void typeCorrectedOnSave();
    void deleteRepositions();
    void deleteRefusals();
    void find();
    void failedSaveChangesNothing();
    void leavingChangedRowWritesIt();
    void closing_data();
    void closing();
    void duplicateNumberCaughtAtField();
    void escapeUndoesThenCloses();
    void datePickerWritesTheDate();
};

void TestPaymentVoucherWindow::emptyBook() {
    Harness h;
    h.book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType) VALUES "
                              "('R1', '2003-01-02', '3')"));
    h.open();
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 0"));
    for (const char* name :
         {"txtVendorID", "txtTransType", "txtTransID", "DTPicker", "txtTransDesc",
          "txtTransDescMemo", "cboGLOffsetAccountCode", "txtOffsetAmount", "cboGSTCode",
          "txtGSTAmount", "cmdDelete", "cmdUndo", "cmdSave"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "cmdClose"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isEnabled(), name);
    QCOMPARE(h.focusName(), QStringLiteral("cmdAdd"));
    QVERIFY(!h.get(QStringLiteral("lstTransType"))->isVisible());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Payment Voucher"));
    // Save in an empty book says so.
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::fieldsAndTabOrder() {
    Harness h;
    h.addRow({QStringLiteral("900")});
    h.open();
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 1 of 1"));
    // Disabled fields are filled by the window, the hidden ones never shown.
    for (const char* name :
         {"txtVendorName", "txtAddress1", "txtAddress4", "txtPostalCode", "txtGLOffsetDeptCode",
          "txtGLOffsetAccountDesc", "txtGSTRate", "txtGSTAccountCode", "txtGSTDeptCode", "txtTotal",
          "txtReconciliationStatusMsg"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    for (const char* name :
         {"txtTransDate", "txtReconciliationStatus", "txtDoubleEntryBank", "txtDoubleEntryOffset",
          "txtDoubleEntryGST", "txtBankAccountGLAccountCode", "txtBankAccountGLDeptCode"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isHidden(), name);
    QCOMPARE(h.get<QLineEdit>(QStringLiteral("txtVendorName"))->maxLength(), 30);
    QCOMPARE(h.get<QLineEdit>(QStringLiteral("txtAddress4"))->maxLength(), 20);
    QCOMPARE(h.get<QLineEdit>(QStringLiteral("txtPostalCode"))->maxLength(), 15);
    QCOMPARE(h.get<QLineEdit>(QStringLiteral("txtTransDesc"))->maxLength(), 50);
    QCOMPARE(h.get<QDateEdit>(QStringLiteral("DTPicker"))->date(), QDate(2003, 1, 10));
    QCOMPARE(h.text(QStringLiteral("txtOffsetAmount")), QStringLiteral("$100.00"));
    QCOMPARE(h.text(QStringLiteral("txtTotal")), QStringLiteral("$107.00"));
    QCOMPARE(h.text(QStringLiteral("txtReconciliationStatusMsg")), QStringLiteral("Outstanding"));

    const QStringList order = {"txtVendorID",
                               "txtTransType",
                               "txtTransID",
                               "DTPicker",
                               "txtTransDesc",
                               "txtTransDescMemo",
                               "cboGLOffsetAccountCode",
                               "txtOffsetAmount",
                               "cboGSTCode",
                               "txtGSTAmount",
                               "cmdAdd"};
    h.focus(order.first());
    for (int i = 1; i < order.size(); ++i) {
        // Tab walks through the date's day, month and year before it leaves the picker.
        const QString from = h.focusName();
        for (int step = 0; step < 4 && h.focusName() == from; ++step)
            h.tab();
        QCOMPARE(h.focusName(), order.at(i));
    }
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::taxOnLeavingBase_data() {
    QTest::addColumn<QString>("shownRate");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("total");
    QTest::newRow("7% picked before the base") << "7.00%"
                                               << "100"
                                               << "0.07"
                                               << "$7.00"
                                               << "$107.00";
    QTest::newRow("10.05 at 7%") << "7.00%"
                                 << "10.05"
                                 << "0.07"
                                 << "$0.70"
                                 << "$10.75";
    QTest::newRow("rate 0 gives the text 0") << "0.00%"
                                             << "100"
                                             << "0"
                                             << "0"
                                             << "$100.00";
    QTest::newRow("no tax code") << ""
                                 << "100"
                                 << ""
                                 << ""
                                 << "$100.00";
}

void TestPaymentVoucherWindow::taxOnLeavingBase() {
    QFETCH(QString, shownRate);
    QFETCH(QString, base);
    QFETCH(QString, rate);
    QFETCH(QString, tax);
    QFETCH(QString, total);
    Harness h;
    h.open();
    h.add(true);
    if (!shownRate.isEmpty()) {
        h.pickTax(QStringLiteral("G"), shownRate);
        h.dropDown(QStringLiteral("cboGSTCode"));
        // Picked before the base: rate and tax account are set, the tax amount is not.
        QCOMPARE(h.text(QStringLiteral("txtGSTRate")), rate);
        QCOMPARE(h.text(QStringLiteral("txtGSTAccountCode")), QStringLiteral("2200"));
        QCOMPARE(h.text(QStringLiteral("txtGSTDeptCode")), QStringLiteral("ADMIN"));
        QVERIFY(h.text(QStringLiteral("txtGSTAmount")).isEmpty());
        QCOMPARE(h.focusName(), QStringLiteral("txtGSTAmount"));
        QVERIFY(h.get(QStringLiteral("txtGSTAmount"))->isEnabled());
    }
    h.type(QStringLiteral("txtOffsetAmount"), base);
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtGSTRate")), rate);
    QCOMPARE(h.text(QStringLiteral("txtGSTAmount")), tax);
    QCOMPARE(h.text(QStringLiteral("txtTotal")), total);
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::taxPickedAfterBase_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("shownRate");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("total");
    QTest::newRow("100 at 7%") << "100"
                               << "7.00%"
                               << "$7.00"
                               << "$107.00";
    QTest::newRow("10.05 at 7%") << "10.05"
                                 << "7.00%"
                                 << "$0.70"
                                 << "$10.75";
    QTest::newRow("0.00% pick gives $0.00") << "100"
                                            << "0.00%"
                                            << "$0.00"
                                            << "$100.00";
}

void TestPaymentVoucherWindow::taxPickedAfterBase() {
    QFETCH(QString, base);
    QFETCH(QString, shownRate);
    QFETCH(QString, tax);
    QFETCH(QString, total);
    Harness h;
    h.open();
    h.add(true);
    h.type(QStringLiteral("txtOffsetAmount"), base);
    h.tab();
    h.pickTax(QStringLiteral("G"), shownRate);
    h.dropDown(QStringLiteral("cboGSTCode"));
    QCOMPARE(h.text(QStringLiteral("txtGSTAmount")), tax);
    QCOMPARE(h.focusName(), QStringLiteral("txtGSTAmount"));
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtTotal")), total);

    // A chooser closed without a choice keeps the code, disables the tax amount and goes to the
    // vendor.
    h.taxPicks.push_back([](Services&) { return false; });
    h.dropDown(QStringLiteral("cboGSTCode"));
    QCOMPARE(h.text(QStringLiteral("cboGSTCode")), QStringLiteral("G"));
    QVERIFY(!h.get(QStringLiteral("txtGSTAmount"))->isEnabled());
    QCOMPARE(h.focusName(), QStringLiteral("txtVendorID"));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::emptyingBaseEmptiesTax() {
    Harness h;
    h.open();
    h.add(true);
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("100"));
    h.tab();
    h.pickTax(QStringLiteral("G"), QStringLiteral("7.00%"));
    h.dropDown(QStringLiteral("cboGSTCode"));
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtTotal")), QStringLiteral("$107.00"));
    h.type(QStringLiteral("txtOffsetAmount"), QString());
    h.tab();
    for (const char* name : {"cboGSTCode", "txtGSTRate", "txtGSTAccountCode", "txtGSTDeptCode",
                             "txtGSTAmount", "txtTotal"})
        QVERIFY2(h.text(QString::fromLatin1(name)).isEmpty(), name);
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::overtypedTaxSurvivesUntilBaseLeft() {
    Harness h;
    h.open();
    h.add(true);
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("100"));
    h.tab();
    h.pickTax(QStringLiteral("G"), QStringLiteral("7.00%"));
    h.dropDown(QStringLiteral("cboGSTCode"));
    h.type(QStringLiteral("txtGSTAmount"), QStringLiteral("9"));
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtGSTAmount")), QStringLiteral("9"));
    QCOMPARE(h.text(QStringLiteral("txtTotal")), QStringLiteral("$109.00"));
    // Passing through other fields keeps it; leaving the base recomputes it.
    h.focus(QStringLiteral("txtTransDesc"));
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtGSTAmount")), QStringLiteral("9"));
    h.focus(QStringLiteral("txtOffsetAmount"));
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtGSTAmount")), QStringLiteral("$7.00"));
    QCOMPARE(h.text(QStringLiteral("txtTotal")), QStringLiteral("$107.00"));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::storedPercentageRate() {
    Harness h;
    Row row{QStringLiteral("900")};
    row.rate = 0.175;
    row.tax = 175000;
    h.addRow(row);
    h.open();
    QCOMPARE(h.text(QStringLiteral("txtGSTRate")), QStringLiteral("17.50%"));
    QCOMPARE(h.text(QStringLiteral("txtGSTAmount")), QStringLiteral("$17.50"));
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("200"));
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtGSTRate")), QStringLiteral("0.175"));
    QCOMPARE(h.text(QStringLiteral("txtGSTAmount")), QStringLiteral("$35.00"));
    QCOMPARE(h.text(QStringLiteral("txtTotal")), QStringLiteral("$235.00"));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::amountChecks_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("total");
    QTest::newRow("negative base after Yes")
        << "txtOffsetAmount"
        << "-5" << kNegative << int(Answer::Yes) << true << "-$5.00";
    QTest::newRow("negative base refused") << "txtOffsetAmount"
                                           << "-5" << kNegative << int(Answer::No) << false << "";
    QTest::newRow("base not a number") << "txtOffsetAmount"
                                       << "12x"
                                       << "Must enter a number." << int(Answer::Ok) << false << "";
    QTest::newRow("negative tax after Yes")
        << "txtGSTAmount"
        << "-1" << kNegative << int(Answer::Yes) << true << "$49.00";
    QTest::newRow("negative tax refused")
        << "txtGSTAmount"
        << "-1" << kNegative << int(Answer::No) << false << "$50.00";
    QTest::newRow("tax not a number")
        << "txtGSTAmount"
        << "x"
        << "Must enter a number." << int(Answer::Ok) << false << "$50.00";
}

void TestPaymentVoucherWindow::amountChecks() {
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(int, answer);
    QFETCH(bool, left);
    QFETCH(QString, total);
    Harness h;
    h.open();
    h.add(true);
    if (field == QLatin1String("txtGSTAmount")) {
        h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("50"));
        h.tab();
        h.pickTax(QStringLiteral("Z"), QStringLiteral("0.00%"));
        h.dropDown(QStringLiteral("cboGSTCode"));
        h.tab();
    }
    h.type(field, input);
    h.book.prompts.expect(message, Answer(answer));
    h.tab();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.focusName() == field, !left);
    QCOMPARE(h.text(field), input);
    QCOMPARE(h.text(QStringLiteral("txtTotal")), total);
    if (!left) {
        // The refused text is selected, so typing replaces it; a command clicked meanwhile is not
        // run.
        QCOMPARE(h.get<QLineEdit>(field)->selectedText(), input);
        h.book.prompts.expect(message, Answer(answer));
        h.click(QStringLiteral("cmdSave"));
        h.book.prompts.verifyAllShown();
        QCOMPARE(h.focusName(), field);
    }
}

void TestPaymentVoucherWindow::typeList() {
    Harness h;
    h.open();
    h.add(true);
    auto* list = h.get<QListWidget>(QStringLiteral("lstTransType"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("1. Payment - CB Only"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("2. Payment - CB / AP"));
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("1"));
    QVERIFY(!list->isVisible());
    h.focus(QStringLiteral("txtTransType"));
    QVERIFY(list->isVisible());
    // Keyboard: Down chooses type 2, which posts against the AP clearing account.
    QTest::keyClick(h.get(QStringLiteral("txtTransType")), Qt::Key_Down);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("2"));
    QCOMPARE(h.text(QStringLiteral("cboGLOffsetAccountCode")), QStringLiteral("2100"));
    QCOMPARE(h.text(QStringLiteral("txtGLOffsetDeptCode")), QStringLiteral("ADMIN"));
    QCOMPARE(h.text(QStringLiteral("txtGLOffsetAccountDesc")), QStringLiteral("AP Clearing"));
    QVERIFY(h.get(QStringLiteral("cboGLOffsetAccountCode"))->isEnabled());
    // Up chooses type 1, which empties the account.
    QTest::keyClick(h.get(QStringLiteral("txtTransType")), Qt::Key_Up);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("1"));
    QVERIFY(h.text(QStringLiteral("cboGLOffsetAccountCode")).isEmpty());
    QVERIFY(h.text(QStringLiteral("txtGLOffsetDeptCode")).isEmpty());
    QVERIFY(h.text(QStringLiteral("txtGLOffsetAccountDesc")).isEmpty());
    // Mouse: a click on an entry chooses it and leaves the focus in the field.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("2"));
    QCOMPARE(h.focusName(), QStringLiteral("txtTransType"));
    // Typing a code chooses it too.
    QTest::keyClick(h.get(QStringLiteral("txtTransType")), Qt::Key_1);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("1"));
    h.tab();
    QVERIFY(!list->isVisible());
    QCOMPARE(h.focusName(), QStringLiteral("txtTransID"));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::unknownCodes() {
    Harness h;
    h.open();
    h.add(true);
    h.type(QStringLiteral("txtVendorID"), QStringLiteral("ZZZ"));
    h.book.prompts.expect(
        QStringLiteral("That Vendor ID is unknown.\r\n\r\nPlease select from an existing Vendor "
                       "ID, \r\nor create a new vendor record."));
    h.tab();
    QVERIFY(h.text(QStringLiteral("txtVendorID")).isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("txtTransType"));
    // A known code typed by hand stays and leaves name and address as they were.
    h.type(QStringLiteral("txtVendorID"), QStringLiteral("v1"));
    h.tab();
    QCOMPARE(h.text(QStringLiteral("txtVendorID")), QStringLiteral("v1"));
    QVERIFY(h.text(QStringLiteral("txtVendorName")).isEmpty());

    h.type(QStringLiteral("cboGLOffsetAccountCode"), QStringLiteral("9999"));
    h.book.prompts.expect(
        QStringLiteral("That Account Code is unknown.\r\n\r\nPlease select from an existing "
                       "Account Code, \r\nor create a new one."));
    h.tab();
    QVERIFY(h.text(QStringLiteral("cboGLOffsetAccountCode")).isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("cboGLOffsetAccountCode"));
    h.type(QStringLiteral("cboGLOffsetAccountCode"), QStringLiteral("5000"));
    h.tab();
    QCOMPARE(h.focusName(), QStringLiteral("txtOffsetAmount"));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::lockedRows_data() {
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("locked");
    QTest::newRow("outstanding") << "1"
                                 << "Outstanding" << false;
    QTest::newRow("reconciled") << "2"
                                << "Reconciled" << true;
    QTest::newRow("reversed") << "3"
                              << "Reversed" << true;
    QTest::newRow("void") << "4"
                          << "Void" << true;
    QTest::newRow("no status") << ""
                               << "Outstanding" << false;
}

void TestPaymentVoucherWindow::lockedRows() {
    QFETCH(QString, status);
    QFETCH(QString, word);
    QFETCH(bool, locked);
    Harness h;
    Row row{QStringLiteral("900")};
    row.status = status;
    h.addRow(row);
    h.addRow({QStringLiteral("800"), QStringLiteral("2003-01-01")});
    h.open();
    QCOMPARE(h.text(QStringLiteral("txtReconciliationStatusMsg")), word);
    for (const char* name : {"txtVendorID", "txtTransType", "txtTransID", "DTPicker",
                             "txtTransDesc", "cboGLOffsetAccountCode", "txtOffsetAmount",
                             "cboGSTCode", "txtGSTAmount", "cmdDelete", "cmdUndo", "cmdSave"})
        QCOMPARE(h.get(QString::fromLatin1(name))->isEnabled(), !locked);
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1"})
        QVERIFY(h.get(QString::fromLatin1(name))->isEnabled());
    // Whatever its fields come to hold, leaving a locked row never writes it.
    h.get<QLineEdit>(QStringLiteral("txtTransDesc"))->setText(QStringLiteral("changed"));
    // Moving on to an outstanding row unlocks the fields again.
    h.navigate("navNext");
    QCOMPARE(h.column(QStringLiteral("900"), QStringLiteral("TransStatus")).toString(),
             locked ? status : QStringLiteral("1"));
    QCOMPARE(h.column(QStringLiteral("900"), QStringLiteral("TransDesc")).isNull(), locked);
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 2 of 2"));
    QVERIFY(h.get(QStringLiteral("txtOffsetAmount"))->isEnabled());
    QCOMPARE(h.text(QStringLiteral("txtReconciliationStatusMsg")), QStringLiteral("Outstanding"));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::moveRefusalShowsBothMessages() {
    Harness h;
    Row broken{QStringLiteral("901"), QStringLiteral("2003-01-12")};
    broken.vendor = QVariant();
    h.addRow(broken);
    h.addRow({QStringLiteral("900")});
    h.open();
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("901"));
    h.book.prompts.expect(kMoveRefused).expect(QStringLiteral("Must enter a Vendor ID."));
    h.navigate("navNext");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 1 of 2"));
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("901"));
    QCOMPARE(h.focusName(), QStringLiteral("txtVendorID"));
    // Nothing was written by the refused move.
    QVERIFY(h.column(QStringLiteral("901"), QStringLiteral("VendorID")).isNull());
}

void TestPaymentVoucherWindow::numbering_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("savedId");
    QTest::addColumn<int>("counter");
    QTest::newRow("1001 accepted") << "accept"
                                   << "1001" << 1002;
    QTest::newRow("refused and typed") << "refuse type:555"
                                       << "555" << 1001;
    QTest::newRow("accepted, undone, another row saved") << "accept undo refuse type:556"
                                                         << "556" << 1001;
    QTest::newRow("accepted then overtyped") << "accept type:555"
                                             << "555" << 1001;
    QTest::newRow("refused then the offered number typed") << "refuse type:1001"
                                                           << "1001" << 1001;
}

void TestPaymentVoucherWindow::numbering() {
    QFETCH(QString, script);
    QFETCH(QString, savedId);
    QFETCH(int, counter);
    Harness h;
    h.open();
    for (const QString& step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("accept") || step == QLatin1String("refuse")) {
            h.add(step == QLatin1String("accept"));
            QCOMPARE(h.text(QStringLiteral("txtTransID")),
                     step == QLatin1String("accept") ? QStringLiteral("1001") : QString());
            QCOMPARE(h.focusName(), QStringLiteral("txtVendorID"));
            QVERIFY(!h.get(QStringLiteral("cmdAdd"))->isEnabled());
            QVERIFY(!h.get(QStringLiteral("Adodc1"))->isEnabled());
        } else if (step == QLatin1String("undo")) {
            h.click(QStringLiteral("cmdUndo"));
            QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 0"));
        } else if (step.startsWith(QLatin1String("type:"))) {
            h.type(QStringLiteral("txtTransID"), step.mid(5));
            h.tab();
        }
    }
    h.fill();
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 1);
    QVERIFY(h.column(savedId, QStringLiteral("TransID")).isValid());
    QCOMPARE(h.counter(), counter);
    QVERIFY(!h.window->nextNumberAccepted());
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 1 of 1"));
    QVERIFY(h.get(QStringLiteral("cmdAdd"))->isEnabled());
    QVERIFY(h.get(QStringLiteral("Adodc1"))->isEnabled());

    // The next Add offers the counter's number as it now stands.
    h.book.prompts.expect(
        QStringLiteral("The next Payment Voucher / Cheque Number is %1.\r\n\r\nWould you like "
                       "to use it?")
            .arg(counter),
        Answer::No);
    h.click(QStringLiteral("cmdAdd"));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::savedColumnsAndSigns_data() {
    QTest::addColumn<bool>("withTax");
    QTest::newRow("base 100, tax 7") << true;
    QTest::newRow("base 100, no tax") << false;
}

void TestPaymentVoucherWindow::savedColumnsAndSigns() {
    QFETCH(bool, withTax);
    Harness h;
    h.open();
    h.add(true);
    h.fill();
    if (withTax) {
        h.pickTax(QStringLiteral("G"), QStringLiteral("7.00%"));
        h.dropDown(QStringLiteral("cboGSTCode"));
        h.tab();
    }
    h.type(QStringLiteral("txtTransDesc"), QStringLiteral("Paper"));
    h.save();
    h.book.prompts.verifyAllShown();
    QSqlQuery q = h.book.db.exec(QStringLiteral("SELECT * FROM tblCashbook"));
    QVERIFY(q.next());
    const QSqlRecord r = q.record();
    const qint64 tax = withTax ? 70000 : 0;
    QCOMPARE(r.value("TransID").toString(), QStringLiteral("1001"));
    QCOMPARE(r.value("VendorID").toString(), QStringLiteral("V1"));
    QCOMPARE(r.value("VendorName").toString(), QStringLiteral("Acme Ltd"));
    QCOMPARE(r.value("Address1").toString(), QStringLiteral("1 Main St"));
    QCOMPARE(r.value("Address4").toString(), QStringLiteral("State"));
    QCOMPARE(r.value("PostalCode").toString(), QStringLiteral("12345"));
    QCOMPARE(r.value("TransType").toString(), QStringLiteral("1"));
    QCOMPARE(r.value("TransDate").toString(), QStringLiteral("2003-01-15"));
    QCOMPARE(r.value("TransDesc").toString(), QStringLiteral("Paper"));
    QCOMPARE(r.value("TransStatus").toString(), QStringLiteral("1"));
    QCOMPARE(r.value("OffsetGLAccountCode").toString(), QStringLiteral("5000"));
    QCOMPARE(r.value("OffsetGLDeptCode").toString(), QStringLiteral("ADMIN"));
    QCOMPARE(r.value("OffsetGLAccountDesc").toString(), QStringLiteral("Office Supplies"));
    QCOMPARE(r.value("BankAccountGLAccountCode").toString(), QStringLiteral("1000"));
    QCOMPARE(r.value("BankAccountGLDeptCode").toString(), QStringLiteral("ADMIN"));
    QCOMPARE(r.value("OffsetAmount").toLongLong(), qint64(1000000));
    QCOMPARE(r.value("OffsetGSTAmount").isNull(), !withTax);
    QCOMPARE(r.value("OffsetGSTAmount").toLongLong(), tax);
    QCOMPARE(r.value("BankAccountAmount").toLongLong(), 1000000 + tax);
    QCOMPARE(r.value("DoubleEntryBank").toLongLong(), -(1000000 + tax));
    QCOMPARE(r.value("DoubleEntryOffset").toLongLong(), qint64(1000000));
    QVERIFY(!r.value("DoubleEntryGST").isNull());
    QCOMPARE(r.value("DoubleEntryGST").toLongLong(), tax);
    QCOMPARE(r.value("ExportedToAccpac").toInt(), 0);
    QVERIFY(r.value("CustID").isNull());
    if (withTax) {
        QCOMPARE(r.value("OffsetGSTTaxCode").toString(), QStringLiteral("G"));
        QCOMPARE(r.value("OffsetGSTTaxRate").toDouble(), 0.07);
        QCOMPARE(r.value("OffsetGSTGLAccountCode").toString(), QStringLiteral("2200"));
    }
    QCOMPARE(h.text(QStringLiteral("txtReconciliationStatusMsg")), QStringLiteral("Outstanding"));
}

void TestPaymentVoucherWindow::controlAccounts_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<bool>("ap");
    QTest::addColumn<bool>("ar");
    QTest::addColumn<QString>("message");
    QTest::newRow("bank account")
        << "1000" << false << false
        << "You cannot select the GL Bank Account Code\r\nas it is the control account "
           "and is used \r\nautomatically as one half of the double-entry\r\nbook-keeping.";
    QTest::newRow("AP control, AP on")
        << "2000" << true << false
        << "Integrated with AP.  Therefore, you cannot\r\nchoose the AP Control Account.";
    QTest::newRow("AP control, AP off") << "2000" << false << true << "";
    QTest::newRow("AR control, AR on")
        << "1200" << false << true
        << "Integrated with AR.  Therefore, you cannot\r\nchoose the AR Control Account.";
    QTest::newRow("AR control, AR off") << "1200" << true << false << "";
}

void TestPaymentVoucherWindow::controlAccounts() {
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
        QCOMPARE(h.column(QStringLiteral("1001"), QStringLiteral("OffsetGLAccountCode")).toString(),
                 account);
    } else {
        h.book.prompts.expect(message);
        h.click(QStringLiteral("cmdSave"));
        QCOMPARE(h.focusName(), QStringLiteral("cboGLOffsetAccountCode"));
        QCOMPARE(h.book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 0);
        // Leaving the row is refused the same way.
        h.book.prompts
            .expect(
                QStringLiteral("The record has not passed validation.\r\n\r\nIf you close, your "
                               "changes will be abandoned.\r\n\r\nDo you wish to close?"),
                Answer::No)
            .expect(message);
        h.click(QStringLiteral("cmdClose"));
        QVERIFY(h.window->isVisible());
    }
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::typeCorrectedOnSave() {
    Harness h;
    h.open();
    h.add(true);
    h.fill();
    // The type field is filled only by its list; a stranger value is put right by the check.
    h.get<QLineEdit>(QStringLiteral("txtTransType"))->setText(QStringLiteral("7"));
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.column(QStringLiteral("1001"), QStringLiteral("TransType")).toString(),
             QStringLiteral("1"));
}

void TestPaymentVoucherWindow::deleteRepositions() {
    Harness h;
    h.addRow({QStringLiteral("903"), QStringLiteral("2003-01-13")});
    h.addRow({QStringLiteral("902"), QStringLiteral("2003-01-12")});
    h.addRow({QStringLiteral("901"), QStringLiteral("2003-01-11")});
    h.open();
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 1 of 3"));
    h.book.prompts.expect(QStringLiteral("Are you sure?"), Answer::Yes);
    h.click(QStringLiteral("cmdDelete"));
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("901"));
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 2 of 2"));
    QVERIFY(!h.column(QStringLiteral("903"), QStringLiteral("TransID")).isValid());

    // No keeps the row; deleting the rest one by one ends in the empty state.
    h.book.prompts.expect(QStringLiteral("Are you sure?"), Answer::No);
    h.click(QStringLiteral("cmdDelete"));
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 2 of 2"));
    h.book.prompts.expect(QStringLiteral("Are you sure?"), Answer::Yes)
        .expect(QStringLiteral("Are you sure?"), Answer::Yes);
    h.click(QStringLiteral("cmdDelete"));
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 1 of 1"));
    h.click(QStringLiteral("cmdDelete"));
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 0"));
    QVERIFY(!h.get(QStringLiteral("txtOffsetAmount"))->isEnabled());
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::deleteRefusals() {
    Harness h;
    Row row{QStringLiteral("900")};
    row.status = QStringLiteral("2");
    h.addRow(row);
    h.open();
    // Delete is disabled on a locked row; pressed anyway (through its shortcut), it refuses.
    QVERIFY(!h.get(QStringLiteral("cmdDelete"))->isEnabled());
    h.book.prompts.expect(
        QStringLiteral("Cannot delete when Reconciliation Status\r\nis not Outstanding."));
    emit h.get<QPushButton>(QStringLiteral("cmdDelete"))->clicked();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.column(QStringLiteral("900"), QStringLiteral("TransID")).isValid());
}

void TestPaymentVoucherWindow::find() {
    Harness h;
    h.addRow({QStringLiteral("903"), QStringLiteral("2003-01-13")});
    h.addRow({QStringLiteral("902"), QStringLiteral("2003-01-12")});
    h.addRow({QStringLiteral("901"), QStringLiteral("2003-01-11")});
    Row receipt{QStringLiteral("R100"), QStringLiteral("2003-01-14")};
    receipt.type = QStringLiteral("3");
    h.addRow(receipt);
    h.open();
    h.finds.push_back(QStringLiteral("902"));
    h.click(QStringLiteral("cmdFindByPV"));
    QCOMPARE(
        h.findRequests.value(0),
        QStringLiteral(
            "Type Payment Voucher / Cheque Number to find|SELECT TransID FROM tblCashbook WHERE "
            "tblCashbook.TransType IN ('1','2')ORDER BY TransID"));
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("902"));
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 2 of 3"));

    // A receipt number is not a voucher: not found, and the last row is shown.
    h.finds.push_back(QStringLiteral("R100"));
    h.book.prompts.expect(QStringLiteral("Payment Voucher / Cheque Number R100 was not found."));
    h.click(QStringLiteral("cmdFindByPV"));
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("901"));
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 3 of 3"));

    // Cancelled: nothing moves. A number with a quote is only a value.
    h.finds.push_back(std::nullopt);
    h.click(QStringLiteral("cmdFindByPV"));
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 3 of 3"));
    h.finds.push_back(QStringLiteral("9'0"));
    h.book.prompts.expect(QStringLiteral("Payment Voucher / Cheque Number 9'0 was not found."));
    h.click(QStringLiteral("cmdFindByPV"));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::failedSaveChangesNothing() {
    Harness h;
    h.open();
    h.add(true);
    h.fill();
    h.book.sql(QStringLiteral("CREATE TRIGGER failCounter BEFORE UPDATE ON tblBankDetails "
                              "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    h.book.prompts.expect(kSaveQuestion, Answer::Yes)
        .expectMatch(QStringLiteral(
            "^An error has occurred\\.\r\n\r\nError Number: .*\r\nError Description: "
            ".*disk full.*\r\nForm: frmPaymentVoucher\r\nRoutine: cmdSave$"));
    h.click(QStringLiteral("cmdSave"));
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 0);
    QCOMPARE(h.counter(), 1001);
    // The row is still being added, with its number still accepted; a later save succeeds.
    QVERIFY(h.window->navigator().isAdding());
    QVERIFY(h.window->nextNumberAccepted());
    h.book.sql(QStringLiteral("DROP TRIGGER failCounter"));
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.counter(), 1002);
    QVERIFY(h.column(QStringLiteral("1001"), QStringLiteral("TransID")).isValid());
}

void TestPaymentVoucherWindow::leavingChangedRowWritesIt() {
    Harness h;
    h.addRow({QStringLiteral("902"), QStringLiteral("2003-01-12")});
    h.addRow({QStringLiteral("901"), QStringLiteral("2003-01-11")});
    h.open();
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("902"));
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("200"));
    h.navigate("navNext");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 2 of 2"));
    // Written as Save writes: amounts, double entry and status agree.
    QCOMPARE(h.column(QStringLiteral("902"), QStringLiteral("OffsetAmount")).toLongLong(),
             qint64(2000000));
    QCOMPARE(h.column(QStringLiteral("902"), QStringLiteral("OffsetGSTAmount")).toLongLong(),
             qint64(140000));
    QCOMPARE(h.column(QStringLiteral("902"), QStringLiteral("BankAccountAmount")).toLongLong(),
             qint64(2140000));
    QCOMPARE(h.column(QStringLiteral("902"), QStringLiteral("DoubleEntryBank")).toLongLong(),
             qint64(-2140000));
    QCOMPARE(h.column(QStringLiteral("902"), QStringLiteral("DoubleEntryOffset")).toLongLong(),
             qint64(2000000));
    QCOMPARE(h.column(QStringLiteral("902"), QStringLiteral("DoubleEntryGST")).toLongLong(),
             qint64(140000));
    // An unchanged row is left as it is stored.
    h.book.sql(QStringLiteral("UPDATE tblSystemSetup SET GLBankAccountCode = '1001'"));
    h.navigate("navPrevious");
    QCOMPARE(h.column(QStringLiteral("901"), QStringLiteral("BankAccountGLAccountCode")).isNull(),
             true);

    // From the keyboard, with the cursor still in the amount: the field is left first, so the
    // tax is worked out before the row is written.
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("300"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    Harness::settle();
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 2 of 2"));
    QCOMPARE(h.column(QStringLiteral("902"), QStringLiteral("OffsetGSTAmount")).toLongLong(),
             qint64(210000));
    QCOMPARE(h.column(QStringLiteral("902"), QStringLiteral("DoubleEntryBank")).toLongLong(),
             qint64(-3210000));
    h.book.prompts.verifyAllShown();
}

void TestPaymentVoucherWindow::datePickerWritesTheDate() {
    Harness h;
    h.open();
    h.add(true);
    auto* picker = h.get<QDateEdit>(QStringLiteral("DTPicker"));
    QCOMPARE(picker->date(), QDate(2003, 1, 15));
    QCOMPARE(picker->displayFormat(), QStringLiteral("d MMM yyyy"));
    h.focus(QStringLiteral("DTPicker"));
    QTest::keyClick(picker, Qt::Key_Up);
    QCOMPARE(h.text(QStringLiteral("txtTransDate")), QStringLiteral("2003-01-16"));
    h.fill();
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.column(QStringLiteral("1001"), QStringLiteral("TransDate")).toString(),
             QStringLiteral("2003-01-16"));
}

void TestPaymentVoucherWindow::closing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Close button") << "cmdClose";
    QTest::newRow("close box") << "box";
}

void TestPaymentVoucherWindow::closing() {
    QFETCH(QString, how);
    Harness h;
    h.open();
    auto close = [&h, &how] {
        if (how == QLatin1String("cmdClose"))
            h.click(QStringLiteral("cmdClose"));
        else
            h.window->close();
        Harness::settle();
    };
    const QString closeQuestion =
        QStringLiteral("The record has not passed validation.\r\n\r\nIf you close, your "
                       "changes will be abandoned.\r\n\r\nDo you wish to close?");
    // An invalid new row: No keeps the window open and shows the failing check.
    h.add(true);
    h.book.prompts.expect(closeQuestion, Answer::No)
        .expect(QStringLiteral("Must enter an amount."));
    close();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.focusName(), QStringLiteral("txtOffsetAmount"));
    // A valid new row is written when the window closes, counter and all.
    h.fill();
    close();
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.column(QStringLiteral("1001"), QStringLiteral("DoubleEntryBank")).toLongLong(),
             qint64(-1000000));
    QCOMPARE(h.counter(), 1002);

    // Yes abandons the changes.
    h.open();
    h.type(QStringLiteral("txtOffsetAmount"), QString());
    h.book.prompts.expect(closeQuestion, Answer::Yes);
    close();
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.column(QStringLiteral("1001"), QStringLiteral("OffsetAmount")).toLongLong(),
             qint64(1000000));
}

void TestPaymentVoucherWindow::duplicateNumberCaughtAtField() {
    Harness h;
    Row receipt{QStringLiteral("R7"), QStringLiteral("2003-01-14")};
    receipt.type = QStringLiteral("3");
    h.addRow(receipt);
    h.addRow({QStringLiteral("900")});
    h.open();
    h.add(false);
    h.type(QStringLiteral("txtTransID"), QStringLiteral("r7"));
    h.book.prompts.expect(kDuplicate);
    h.tab();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.text(QStringLiteral("txtTransID")).isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("txtTransID"));
    // Editing a stored row into another's number is refused by the book at Save.
    h.click(QStringLiteral("cmdUndo"));
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("900"));
    h.type(QStringLiteral("txtTransID"), QStringLiteral("R7"));
    h.tab();
    h.book.prompts.expect(kSaveQuestion, Answer::Yes).expect(kDuplicate);
    h.click(QStringLiteral("cmdSave"));
    h.book.prompts.verifyAllShown();
    QVERIFY(h.text(QStringLiteral("txtTransID")).isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("txtTransID"));
    QCOMPARE(h.book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 2);
}

void TestPaymentVoucherWindow::escapeUndoesThenCloses() {
    Harness h;
    h.addRow({QStringLiteral("900")});
    h.open();
    // A changed row: Escape puts it back as stored, even with a refused amount in the field.
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("12x"));
    h.book.prompts.expect(QStringLiteral("Must enter a number."));
    h.tab();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Harness::settle();
    QCOMPARE(h.text(QStringLiteral("txtOffsetAmount")), QStringLiteral("$100.00"));
    QVERIFY(h.window->isVisible());
    // A new row: Escape drops it.
    h.add(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Harness::settle();
    QCOMPARE(h.caption(), QStringLiteral("Payment Voucher: 1 of 1"));
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("900"));
    QVERIFY(!h.window->nextNumberAccepted());
    // Nothing changed: Escape closes.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Harness::settle();
    QVERIFY(!h.window->isVisible());
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 1);
    QCOMPARE(h.counter(), 1001);
}

QTEST_MAIN(TestPaymentVoucherWindow)
#include "tst_paymentvoucherwindow.moc"
