// The payment voucher window driven as a user drives it: typing, Tab, drop-downs answered
// by scripted choosers, buttons, and message boxes answered by the scripted prompts.
#include "data/recordnavigator.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "data/messages.h"
#include "entrydriver.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

using Answer = Prompts::Answer;
using namespace EntryTexts;

QString offer(int number) {
    return QStringLiteral("The next Payment Voucher / Cheque Number is %1.\r\n\r\nWould you like "
                          "to use it?")
        .arg(number);
}
const QString kSaveQuestion =
    "The Payment Voucher has passed validation. \r\n\r\nDo you wish to save?";
const QString kNegative = "You have entered a negative amount.\r\n\r\nAre you sure?";
const QString kNaN = "Must enter a number.";

struct Row {
    QString id;
    QString date = "2003-01-10";
    QString type = "1";
    QString status = "1";
    QVariant vendor = "V1";
    qint64 base = 1000000;
    qint64 tax = 70000;
    QVariant rate = 0.07;
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
                "DoubleEntryGST, OffsetGSTGLAccountCode) VALUES (?, ?, ?, ?, ?, '5000', ?, 'G', "
                "?, ?, ?, ?, ?, ?, '2200')"),
            {r.id, r.date, r.type, r.status, r.vendor, r.base, r.rate, r.tax, r.base + r.tax,
             -(r.base + r.tax), r.base, r.tax});
    }
    // Three vouchers, 903 the newest.
    void addThree() {
        addRow({"903", "2003-01-13"});
        addRow({"902", "2003-01-12"});
        addRow({"901", "2003-01-11"});
    }

    void openAdding() {
        open();
        add(true);
    }
    void open() { window = openVoucher(VoucherKind::payment()); }

    int counter() { return book.value("SELECT NextCheque FROM tblBankDetails").toInt(); }

    // Add, answering the offer of 1001.
    void add(bool acceptOffer) {
        book.prompts.expect(offer(1001), acceptOffer ? Answer::Yes : Answer::No);
        click("cmdAdd");
    }
    // Fills a valid voucher: picked vendor, picked account, base amount.
    void fill(const QString& base = "100") {
        pickParty({"V1", "Acme Ltd", "1 Main St", "Suite 2", "Springfield", "State", "12345"});
        dropDown("txtVendorID");
        pickAccount("5000", "Office Supplies");
        dropDown("cboGLOffsetAccountCode");
        enter("txtOffsetAmount", base);
    }
    void pickRate(const QString& shownRate) {
        pickTax("G", shownRate);
        dropDown("cboGSTCode");
    }
    void save() { saveAnswering(kSaveQuestion); }
    void escape() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
    }

    std::unique_ptr<PaymentVoucherWindow> window;
};

const char* const kEntryFields[] = {"txtVendorID",     "txtTransType", "txtTransID",
                                    "DTPicker",        "txtTransDesc", "cboGLOffsetAccountCode",
                                    "txtOffsetAmount", "cboGSTCode",   "txtGSTAmount",
                                    "cmdDelete",       "cmdUndo",      "cmdSave"};

} // namespace

class TestPaymentVoucherWindow : public QObject {
    Q_OBJECT

private slots:
    void emptyBook();
    void fieldsAndTabOrder();
    void tax_data();
    void tax();
    void overtypedTaxSurvivesUntilBaseLeft();
    void storedPercentageRate();
    void amountChecks_data();
    void amountChecks();
    void typeList();
    void typedCodes();
    void taxWithoutAccount();
    void untouchedAmountsKeptExactly();
    void pickerHandsActivationBack();
    void lockedRows_data();
    void lockedRows();
    void moveRefusalShowsBothMessages();
    void numbering_data();
    void numbering();
    void savedColumnsAndSigns_data();
    void savedColumnsAndSigns();
    void controlAccounts_data();
    void controlAccounts();
    void deleteRepositions();
    void find();
    void failedSaveChangesNothing();
    void leavingChangedRowWritesIt();
    void closing_data();
    void closing();
    void duplicateNumberCaughtAtField();
    void escapeUndoesThenCloses();
};

void TestPaymentVoucherWindow::emptyBook() {
    Harness h;
    h.book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType) VALUES "
                              "('R1', '2003-01-02', '3')"));
    h.open();
    QCOMPARE(h.caption(), "Payment Voucher: 0");
    for (const char* name : kEntryFields)
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    QVERIFY(!h.get("txtTransDescMemo")->isEnabled());
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "cmdClose"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isEnabled(), name);
    QCOMPARE(h.focusName(), "cmdAdd");
    QVERIFY(!h.get("lstTransType")->isVisible());
}

void TestPaymentVoucherWindow::fieldsAndTabOrder() {
    Harness h;
    h.addRow({"900"});
    h.open();
    QCOMPARE(h.caption(), "Payment Voucher: 1 of 1");
    QCOMPARE(h.get<QDateEdit>("DTPicker")->date(), QDate(2003, 1, 10));
    QCOMPARE(h.text("txtOffsetAmount"), "$100.00");
    QCOMPARE(h.text("txtTotal"), "$107.00");
    QCOMPARE(h.text("txtReconciliationStatusMsg"), "Outstanding");
    const QStringList order =
        QStringLiteral("txtVendorID txtTransType txtTransID DTPicker txtTransDesc txtTransDescMemo "
                       "cboGLOffsetAccountCode txtOffsetAmount cboGSTCode txtGSTAmount cmdAdd")
            .split(QLatin1Char(' '));
    QCOMPARE(h.tabWalk(order.first(), order.size()), order);
}

void TestPaymentVoucherWindow::tax_data() {
    QTest::addColumn<bool>("before"); // the rate is picked before the base is entered
    QTest::addColumn<QString>("shownRate");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("total");
    QTest::newRow("7% before 100")
        << true << "7.00%" << QString("100") << "0.07" << QString("$7.00") << "$107.00";
    QTest::newRow("7% before 10.05")
        << true << "7.00%" << QString("10.05") << "0.07" << QString("$0.70") << "$10.75";
    QTest::newRow("rate 0 before gives 0")
        << true << "0.00%" << QString("100") << "0" << QString("0") << "$100.00";
    QTest::newRow("no tax code") << true << "" << QString("100") << "" << QString("") << "$100.00";
    QTest::newRow("7% after 100") << false << "7.00%" << QString("100") << "0.07"
                                  << QString("$7.00") << "$107.00";
    QTest::newRow("7% after 10.05")
        << false << "7.00%" << QString("10.05") << "0.07" << QString("$0.70") << "$10.75";
    QTest::newRow("0.00% after gives $0.00")
        << false << "0.00%" << QString("100") << "0" << QString("$0.00") << "$100.00";
}

void TestPaymentVoucherWindow::tax() {
    QFETCH(bool, before);
    QFETCH(QString, shownRate);
    QFETCH(QString, base);
    QFETCH(QString, rate);
    QFETCH(QString, tax);
    QFETCH(QString, total);
    Harness h;
    h.openAdding();
    if (before && !shownRate.isEmpty()) {
        h.pickRate(shownRate);
        // Picked before the base: rate and tax account are set, the tax amount is not.
        QCOMPARE(h.text("txtGSTRate"), rate);
        QCOMPARE(h.text("txtGSTAccountCode"), "2200");
        QCOMPARE(h.text("txtGSTDeptCode"), "ADMIN");
        QVERIFY(h.text("txtGSTAmount").isEmpty());
        QCOMPARE(h.focusName(), "txtGSTAmount");
        QVERIFY(h.get("txtGSTAmount")->isEnabled());
    }
    h.enter("txtOffsetAmount", base);
    if (!before) {
        h.pickRate(shownRate);
        QCOMPARE(h.focusName(), "txtGSTAmount");
        h.tab();
    }
    QCOMPARE(h.text("txtGSTRate"), rate);
    QCOMPARE(h.text("txtGSTAmount"), tax);
    QCOMPARE(h.text("txtTotal"), total);
    // Emptying the base empties the tax fields and the total.
    h.enter("txtOffsetAmount", QString());
    for (const char* name : {"cboGSTCode", "txtGSTRate", "txtGSTAccountCode", "txtGSTDeptCode",
                             "txtGSTAmount", "txtTotal"})
        QVERIFY2(h.text(QString::fromLatin1(name)).isEmpty(), name);
}

void TestPaymentVoucherWindow::overtypedTaxSurvivesUntilBaseLeft() {
    Harness h;
    h.openAdding();
    h.enter("txtOffsetAmount", "100");
    h.pickRate("7.00%");
    h.enter("txtGSTAmount", "9");
    QCOMPARE(h.text("txtGSTAmount"), "9");
    QCOMPARE(h.text("txtTotal"), "$109.00");
    // Passing through other fields keeps it; leaving the base recomputes it.
    h.focus("txtTransDesc");
    h.tab();
    QCOMPARE(h.text("txtGSTAmount"), "9");
    h.focus("txtOffsetAmount");
    h.tab();
    QCOMPARE(h.text("txtGSTAmount"), "$7.00");
    QCOMPARE(h.text("txtTotal"), "$107.00");
    // A chooser closed without a choice keeps the code, disables the tax amount and goes to the
    // vendor.
    h.taxPicks.push_back([](Services&) { return false; });
    h.dropDown("cboGSTCode");
    QCOMPARE(h.text("cboGSTCode"), "G");
    QVERIFY(!h.get("txtGSTAmount")->isEnabled());
    QCOMPARE(h.focusName(), "txtVendorID");
}

void TestPaymentVoucherWindow::storedPercentageRate() {
    Harness h;
    Row row{"900"};
    row.rate = 0.175;
    row.tax = 175000;
    h.addRow(row);
    h.open();
    QCOMPARE(h.text("txtGSTRate"), "17.50%");
    QCOMPARE(h.text("txtGSTAmount"), "$17.50");
    h.enter("txtOffsetAmount", "200");
    QCOMPARE(h.text("txtGSTRate"), "0.175");
    QCOMPARE(h.text("txtGSTAmount"), "$35.00");
    QCOMPARE(h.text("txtTotal"), "$235.00");
}

void TestPaymentVoucherWindow::amountChecks_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("total");
    const QString base = "txtOffsetAmount", tax = "txtGSTAmount";
    const int yes = int(Answer::Yes), no = int(Answer::No), ok = int(Answer::Ok);
    QTest::newRow("negative base after Yes")
        << base << "-5" << kNegative << yes << true << "-$5.00";
    QTest::newRow("negative base refused") << base << "-5" << kNegative << no << false << "";
    QTest::newRow("base not a number") << base << "12x" << kNaN << ok << false << "";
    QTest::newRow("base beyond the book's limit")
        << base << "900000000000000" << Messages::amountOutOfRange() << ok << false << "";
    QTest::newRow("negative tax after Yes") << tax << "-1" << kNegative << yes << true << "$49.00";
    QTest::newRow("negative tax refused") << tax << "-1" << kNegative << no << false << "$50.00";
    QTest::newRow("tax not a number") << tax << "x" << kNaN << ok << false << "$50.00";
}

void TestPaymentVoucherWindow::amountChecks() {
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(int, answer);
    QFETCH(bool, left);
    QFETCH(QString, total);
    Harness h;
    h.openAdding();
    if (field == QLatin1String("txtGSTAmount")) {
        h.enter("txtOffsetAmount", "50");
        h.pickTax("Z", "0.00%");
        h.dropDown("cboGSTCode");
        h.tab();
    }
    h.type(field, input);
    h.book.prompts.expect(message, Answer(answer));
    h.tab();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.focusName() == field, !left);
    QCOMPARE(h.text(field), input);
    QCOMPARE(h.text("txtTotal"), total);
    if (!left) {
        // The refused text is selected, so typing replaces it; a command clicked meanwhile is not
        // run.
        QCOMPARE(h.get<QLineEdit>(field)->selectedText(), input);
        h.book.prompts.expect(message, Answer(answer));
        h.click("cmdSave");
        h.book.prompts.verifyAllShown();
        QCOMPARE(h.focusName(), field);
    }
}

void TestPaymentVoucherWindow::typeList() {
    Harness h;
    h.openAdding();
    auto* list = h.get<QListWidget>("lstTransType");
    QWidget* type = h.get("txtTransType");
    QCOMPARE(list->count(), 2);
    QCOMPARE(h.text("txtTransType"), "1");
    QVERIFY(!list->isVisible());
    h.focus("txtTransType");
    QVERIFY(list->isVisible());
    // Keyboard: Down chooses type 2, which posts against the AP clearing account.
    QTest::keyClick(type, Qt::Key_Down);
    QCOMPARE(h.text("txtTransType"), "2");
    QCOMPARE(h.text("cboGLOffsetAccountCode"), "2100");
    QCOMPARE(h.text("txtGLOffsetDeptCode"), "ADMIN");
    QCOMPARE(h.text("txtGLOffsetAccountDesc"), "AP Clearing");
    QVERIFY(h.get("cboGLOffsetAccountCode")->isEnabled());
    // Up chooses type 1, which empties the account.
    QTest::keyClick(type, Qt::Key_Up);
    QCOMPARE(h.text("txtTransType"), "1");
    QVERIFY(h.text("cboGLOffsetAccountCode").isEmpty());
    QVERIFY(h.text("txtGLOffsetDeptCode").isEmpty());
    QVERIFY(h.text("txtGLOffsetAccountDesc").isEmpty());
    // Mouse: a click on an entry chooses it and leaves the focus in the field.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(h.text("txtTransType"), "2");
    QCOMPARE(h.focusName(), "txtTransType");
    // Typing a code chooses it too.
    QTest::keyClick(type, Qt::Key_1);
    QCOMPARE(h.text("txtTransType"), "1");
    h.tab();
    QVERIFY(!list->isVisible());
    QCOMPARE(h.focusName(), "txtTransID");
}

// Codes typed by hand: an unknown one is refused; a known one fills what its chooser fills.
void TestPaymentVoucherWindow::typedCodes() {
    Harness h;
    h.book.sql("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES ('5100', 'ADMIN'), "
               "('5100', 'SALES')");
    h.openAdding();
    h.type("txtVendorID", "ZZZ");
    h.book.prompts.expect(VoucherKind::payment().unknownPartyMessage);
    h.tab();
    QVERIFY(h.text("txtVendorID").isEmpty());
    QCOMPARE(h.focusName(), "txtTransType");
    // The payee's name and address are printed on the voucher and cheque.
    h.enter("txtVendorID", "v1");
    QCOMPARE(h.text("txtVendorID") + h.text("txtVendorName") + h.text("txtPostalCode"),
             "V1Acme Ltd12345");

    h.type("cboGLOffsetAccountCode", "9999");
    h.book.prompts.expect(Messages::unknownAccount());
    h.tab();
    QVERIFY(h.text("cboGLOffsetAccountCode").isEmpty());
    QCOMPARE(h.focusName(), "cboGLOffsetAccountCode");
    // An account kept under several departments is not guessed: its department is picked.
    h.type("cboGLOffsetAccountCode", "5100");
    h.book.prompts.expect(Messages::accountHasDepartments("5100"));
    h.tab();
    QCOMPARE(h.focusName(), "cboGLOffsetAccountCode");
    h.enter("cboGLOffsetAccountCode", "5000");
    QCOMPARE(h.text("txtGLOffsetDeptCode") + h.text("txtGLOffsetAccountDesc"),
             "ADMINOffice Supplies");
    QCOMPARE(h.focusName(), "txtOffsetAmount");
    h.enter("txtOffsetAmount", "100");

    h.type("cboGSTCode", "Q");
    h.book.prompts.expect(Messages::unknownTaxCode());
    h.tab();
    QVERIFY(h.text("cboGSTCode").isEmpty());
    QCOMPARE(h.focusName(), "cboGSTCode");
    h.enter("cboGSTCode", "g");
    QCOMPARE(h.text("txtGSTRate") + "|" + h.text("txtGSTAccountCode") + "|" +
                 h.text("txtGSTAmount") + "|" + h.text("txtTotal"),
             "0.07|2200|$7.00|$107.00");
    // A code typed over another brings its own rate and account.
    h.book.sql("INSERT INTO tblTaxTable VALUES ('P', 'PST', 0.05, '2300', '', 'PST')");
    h.enter("cboGSTCode", "P");
    QCOMPARE(h.text("txtGSTRate") + "|" + h.text("txtGSTAccountCode") + "|" +
                 h.text("txtGSTAmount") + "|" + h.text("txtTotal"),
             "0.05|2300|$5.00|$105.00");
    h.save();
    QCOMPARE(h.columns("1001", "VendorName, OffsetGLDeptCode, OffsetGSTTaxCode, "
                               "OffsetGSTTaxRate, OffsetGSTGLAccountCode, BankAccountAmount"),
             "Acme Ltd|ADMIN|P|0.05|2300|1050000");
}

// Tax that posts to no account is refused: the entry would not balance in the ledger.
void TestPaymentVoucherWindow::taxWithoutAccount() {
    Harness h;
    h.book.sql("UPDATE tblTaxTable SET GLAccountCode = NULL WHERE TaxCode = 'G'");
    h.openAdding();
    h.fill();
    h.enter("cboGSTCode", "G");
    h.book.prompts.expect(Messages::taxCodeWithoutAccount());
    h.click("cmdSave");
    QCOMPARE(h.focusName(), "cboGSTCode");
    QCOMPARE(h.rows(), 0);
}

void TestPaymentVoucherWindow::lockedRows_data() {
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("word");
    QTest::newRow("outstanding") << "1" << false << "Outstanding";
    QTest::newRow("reconciled") << "2" << true << "Reconciled";
    QTest::newRow("reversed") << "3" << true << "Reversed";
    QTest::newRow("void") << "4" << true << "Void";
    QTest::newRow("no status") << "" << false << "Outstanding";
}

void TestPaymentVoucherWindow::lockedRows() {
    QFETCH(QString, status);
    QFETCH(bool, locked);
    QFETCH(QString, word);
    Harness h;
    Row row{"900"};
    row.status = status;
    h.addRow(row);
    h.addRow({"800", "2003-01-01"});
    h.open();
    QCOMPARE(h.text("txtReconciliationStatusMsg"), word);
    for (const char* name : kEntryFields)
        QCOMPARE(h.get(QString::fromLatin1(name))->isEnabled(), !locked);
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1"})
        QVERIFY(h.get(QString::fromLatin1(name))->isEnabled());
    if (locked) {
        // Delete pressed anyway (through its shortcut) refuses.
        h.book.prompts.expect("Cannot delete when Reconciliation Status\r\nis not Outstanding.");
        emit h.get<QPushButton>("cmdDelete")->clicked();
        h.book.prompts.verifyAllShown();
    }
    // Whatever its fields come to hold, leaving a locked row never writes it.
    h.get<QLineEdit>("txtTransDesc")->setText("changed");
    // Moving on to an outstanding row unlocks the fields again.
    h.navigate("navNext");
    QCOMPARE(h.columns("900", "TransStatus, TransDesc"), locked ? status + "|null" : "1|changed");
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
    QVERIFY(h.get("txtOffsetAmount")->isEnabled());
    QCOMPARE(h.text("txtReconciliationStatusMsg"), "Outstanding");
}

void TestPaymentVoucherWindow::moveRefusalShowsBothMessages() {
    Harness h;
    Row broken{"901", "2003-01-12"};
    broken.vendor = QVariant();
    h.addRow(broken);
    h.addRow({"900"});
    h.open();
    h.book.prompts
        .expect(QStringLiteral("The record has not passed validation.\r\n\r\nTherefore, you "
                               "cannot move to the next/previous record."))
        .expect("Must enter a Vendor ID.");
    h.navigate("navNext");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), "Payment Voucher: 1 of 2");
    QCOMPARE(h.text("txtTransID"), "901");
    QCOMPARE(h.focusName(), "txtVendorID");
    // Nothing was written by the refused move.
    QVERIFY(h.column("901", "VendorID").isNull());
}

void TestPaymentVoucherWindow::numbering_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("savedId");
    QTest::newRow("1001 accepted") << "accept" << 1002 << "1001";
    QTest::newRow("refused and typed") << "refuse type:555" << 1001 << "555";
    QTest::newRow("accepted, undone, another saved")
        << "accept undo refuse type:556" << 1001 << "556";
    QTest::newRow("accepted then overtyped") << "accept type:555" << 1001 << "555";
    // A number a saved row holds is never offered again.
    QTest::newRow("refused, offered number typed") << "refuse type:1001" << 1001 + 1 << "1001";
}

void TestPaymentVoucherWindow::numbering() {
    QFETCH(QString, script);
    QFETCH(int, counter);
    QFETCH(QString, savedId);
    Harness h;
    h.open();
    for (const QString& step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("accept") || step == QLatin1String("refuse")) {
            h.add(step == QLatin1String("accept"));
            QCOMPARE(h.text("txtTransID"), step == QLatin1String("accept") ? "1001" : QString());
            QCOMPARE(h.focusName(), "txtVendorID");
            QVERIFY(!h.get("cmdAdd")->isEnabled());
            QVERIFY(!h.get("Adodc1")->isEnabled());
        } else if (step == QLatin1String("undo")) {
            h.click("cmdUndo");
            QCOMPARE(h.caption(), "Payment Voucher: 0");
        } else {
            h.enter("txtTransID", step.mid(5));
        }
    }
    h.fill();
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.rows(), 1);
    QVERIFY(h.column(savedId, "TransID").isValid());
    QCOMPARE(h.counter(), counter);
    QVERIFY(!h.window->nextNumberAccepted());
    QCOMPARE(h.caption(), "Payment Voucher: 1 of 1");
    QVERIFY(h.get("cmdAdd")->isEnabled());
    QVERIFY(h.get("Adodc1")->isEnabled());
    // The next Add offers the counter's number as it now stands.
    h.book.prompts.expect(offer(counter), Answer::No);
    h.click("cmdAdd");
}

void TestPaymentVoucherWindow::savedColumnsAndSigns_data() {
    QTest::addColumn<bool>("withTax");
    QTest::newRow("base 100, tax 7") << true;
    QTest::newRow("base 100, no tax") << false;
}

void TestPaymentVoucherWindow::savedColumnsAndSigns() {
    QFETCH(bool, withTax);
    Harness h;
    h.openAdding();
    // The picker's Up key moves the date on a day, and the date field follows it.
    auto* picker = h.get<QDateEdit>("DTPicker");
    QCOMPARE(picker->date(), QDate(2003, 1, 15));
    h.focus("DTPicker");
    QTest::keyClick(picker, Qt::Key_Up);
    QCOMPARE(h.text("txtTransDate"), "2003-01-16");
    h.fill();
    if (withTax) {
        h.pickRate("7.00%");
        h.tab();
    }
    h.type("txtTransDesc", "Paper");
    // The type field is filled only by its list; a stranger value is put right by the check.
    h.get<QLineEdit>("txtTransType")->setText("7");
    h.save();
    h.book.prompts.verifyAllShown();
    const QString id = "1001";
    QCOMPARE(h.columns(id, QStringLiteral("TransType, TransDate, TransDesc, TransStatus, VendorID, "
                                          "VendorName, Address1, Address4, PostalCode, CustID, "
                                          "ExportedToAccpac")),
             "1|2003-01-16|Paper|1|V1|Acme Ltd|1 Main St|State|12345|null|0");
    QCOMPARE(h.columns(id, QStringLiteral("OffsetGLAccountCode, OffsetGLDeptCode, "
                                          "OffsetGLAccountDesc, BankAccountGLAccountCode, "
                                          "BankAccountGLDeptCode")),
             "5000|ADMIN|Office Supplies|1000|ADMIN");
    // The amounts and their double entry, which sums to zero with or without tax.
    QCOMPARE(h.columns(id, QStringLiteral("OffsetAmount, OffsetGSTAmount, BankAccountAmount, "
                                          "DoubleEntryBank, DoubleEntryOffset, DoubleEntryGST")),
             withTax ? "1000000|70000|1070000|-1070000|1000000|70000"
                     : "1000000|null|1000000|-1000000|1000000|0");
    if (withTax)
        QCOMPARE(h.columns(id, QStringLiteral("OffsetGSTTaxCode, OffsetGSTTaxRate, "
                                              "OffsetGSTGLAccountCode")),
                 "G|0.07|2200");
    QCOMPARE(h.text("txtReconciliationStatusMsg"), "Outstanding");
}

void TestPaymentVoucherWindow::controlAccounts_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<bool>("ap");
    QTest::addColumn<bool>("ar");
    QTest::addColumn<QString>("message");
    QTest::newRow("bank account") << "1000" << false << false << bankAccount;
    QTest::newRow("AP control, AP on") << "2000" << true << false << apControl;
    QTest::newRow("AP control, AP off") << "2000" << false << true << QString();
    QTest::newRow("AR control, AR on") << "1200" << false << true << arControl;
    QTest::newRow("AR control, AR off") << "1200" << true << false << QString();
}

void TestPaymentVoucherWindow::controlAccounts() {
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
        QCOMPARE(h.column("1001", "OffsetGLAccountCode").toString(), account);
    } else {
        h.book.prompts.expect(message);
        h.click("cmdSave");
        QCOMPARE(h.focusName(), "cboGLOffsetAccountCode");
        QCOMPARE(h.rows(), 0);
        // Leaving the row is refused the same way.
        h.book.prompts.expect(closeQuestion, Answer::No).expect(message);
        h.click("cmdClose");
        QVERIFY(h.window->isVisible());
    }
}

void TestPaymentVoucherWindow::deleteRepositions() {
    Harness h;
    h.addThree();
    h.open();
    QCOMPARE(h.caption(), "Payment Voucher: 1 of 3");
    const QString sure = "Are you sure?";
    h.book.prompts.expect(sure, Answer::Yes);
    h.click("cmdDelete");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.text("txtTransID"), "901");
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
    QVERIFY(!h.column("903", "TransID").isValid());
    // No keeps the row.
    h.book.prompts.expect(sure, Answer::No);
    h.click("cmdDelete");
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
}

void TestPaymentVoucherWindow::find() {
    Harness h;
    h.addThree();
    Row receipt{"R100", "2003-01-14"};
    receipt.type = "3";
    h.addRow(receipt);
    h.open();
    h.finds.push_back("902");
    h.click("cmdFindByPV");
    QCOMPARE(
        h.findRequests.value(0),
        QStringLiteral(
            "Type Payment Voucher / Cheque Number to find|SELECT TransID FROM tblCashbook WHERE "
            "tblCashbook.TransType IN ('1','2')ORDER BY TransID"));
    QCOMPARE(h.text("txtTransID"), "902");
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 3");
    // A receipt number is not a voucher: not found, and the last row is shown.
    h.finds.push_back("R100");
    h.book.prompts.expect("Payment Voucher / Cheque Number R100 was not found.");
    h.click("cmdFindByPV");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.text("txtTransID"), "901");
    QCOMPARE(h.caption(), "Payment Voucher: 3 of 3");
    // Cancelled: nothing moves. A number with a quote is only a value.
    h.finds.push_back(std::nullopt);
    h.click("cmdFindByPV");
    QCOMPARE(h.caption(), "Payment Voucher: 3 of 3");
    h.finds.push_back("9'0");
    h.book.prompts.expect("Payment Voucher / Cheque Number 9'0 was not found.");
    h.click("cmdFindByPV");
}

void TestPaymentVoucherWindow::failedSaveChangesNothing() {
    Harness h;
    h.openAdding();
    h.fill();
    h.book.sql(QStringLiteral("CREATE TRIGGER failCounter BEFORE UPDATE ON tblBankDetails "
                              "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    h.book.prompts.expect(kSaveQuestion, Answer::Yes)
        .expectMatch(QStringLiteral(
            "^An error has occurred\\.\r\n\r\nError Number: .*\r\nError Description: "
            ".*disk full.*\r\nForm: frmPaymentVoucher\r\nRoutine: cmdSave$"));
    h.click("cmdSave");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.rows(), 0);
    QCOMPARE(h.counter(), 1001);
    // The row is still being added, with its number still accepted; a later save succeeds.
    QVERIFY(h.window->navigator().isAdding());
    QVERIFY(h.window->nextNumberAccepted());
    h.book.sql("DROP TRIGGER failCounter");
    h.save();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.counter(), 1002);
    QVERIFY(h.column("1001", "TransID").isValid());
}

void TestPaymentVoucherWindow::leavingChangedRowWritesIt() {
    Harness h;
    h.addRow({"902", "2003-01-12"});
    h.addRow({"901", "2003-01-11"});
    h.open();
    QCOMPARE(h.text("txtTransID"), "902");
    h.type("txtOffsetAmount", "200");
    h.navigate("navNext");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
    // Written as Save writes: amounts, double entry and status agree.
    const QString amounts = QStringLiteral("OffsetAmount, OffsetGSTAmount, BankAccountAmount, "
                                           "DoubleEntryBank, DoubleEntryOffset, DoubleEntryGST");
    QCOMPARE(h.columns("902", amounts), "2000000|140000|2140000|-2140000|2000000|140000");
    // An unchanged row is left as it is stored.
    h.book.sql("UPDATE tblSystemSetup SET GLBankAccountCode = '1001'");
    h.navigate("navPrevious");
    QVERIFY(h.column("901", "BankAccountGLAccountCode").isNull());
    // From the keyboard, with the cursor still in the amount: the field is left first, so the
    // tax is worked out before the row is written.
    h.type("txtOffsetAmount", "300");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    Harness::settle();
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
    QCOMPARE(h.columns("902", amounts), "3000000|210000|3210000|-3210000|3000000|210000");
}

void TestPaymentVoucherWindow::closing_data() {
    QTest::addColumn<bool>("box");
    QTest::newRow("Close button") << false;
    QTest::newRow("close box") << true;
}

void TestPaymentVoucherWindow::closing() {
    QFETCH(bool, box);
    Harness h;
    h.open();
    auto close = [&h, box] {
        if (box)
            h.window->close();
        else
            h.click("cmdClose");
        Harness::settle();
    };
    // An invalid new row: No keeps the window open and shows the failing check.
    h.add(true);
    h.book.prompts.expect(closeQuestion, Answer::No).expect("Must enter an amount.");
    close();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.focusName(), "txtOffsetAmount");
    // A valid new row is written when the window closes, counter and all.
    h.fill();
    close();
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.column("1001", "DoubleEntryBank").toLongLong(), qint64(-1000000));
    QCOMPARE(h.counter(), 1002);
    // Yes abandons the changes.
    h.open();
    h.type("txtOffsetAmount", QString());
    h.book.prompts.expect(closeQuestion, Answer::Yes);
    close();
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.column("1001", "OffsetAmount").toLongLong(), qint64(1000000));
}

void TestPaymentVoucherWindow::duplicateNumberCaughtAtField() {
    Harness h;
    Row receipt{"R7", "2003-01-14"};
    receipt.type = "3";
    h.addRow(receipt);
    h.addRow({"900"});
    h.open();
    h.add(false);
    h.type("txtTransID", "r7");
    h.book.prompts.expect(duplicate);
    h.tab();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.text("txtTransID").isEmpty());
    QCOMPARE(h.focusName(), "txtTransID");
    // Editing a stored row into another's number is refused by the book at Save.
    h.click("cmdUndo");
    QCOMPARE(h.text("txtTransID"), "900");
    h.enter("txtTransID", "R7");
    h.book.prompts.expect(kSaveQuestion, Answer::Yes).expect(duplicate);
    h.click("cmdSave");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.text("txtTransID"), "R7");
    QCOMPARE(h.focusName(), "txtTransID");
    QCOMPARE(h.rows(), 2);

    // A new row refused by the book at Save stays a new row, with all that was typed.
    h.click("cmdUndo");
    h.add(false);
    h.enter("txtTransID", "950");
    h.fill();
    h.book.sql("INSERT INTO tblCashbook (TransID, TransType) VALUES ('950', '1')");
    h.book.prompts.expect(kSaveQuestion, Answer::Yes).expect(duplicate);
    h.click("cmdSave");
    h.book.prompts.verifyAllShown();
    QVERIFY(h.window->navigator().isAdding());
    QCOMPARE(h.text("txtTransID") + h.text("txtVendorName") + h.text("txtOffsetAmount"),
             "950Acme Ltd100");
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "cmdDelete"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    QVERIFY(h.get("cmdSave")->isEnabled());
    h.enter("txtTransID", "951");
    h.save();
    QCOMPARE(h.column("951", "VendorName").toString(), "Acme Ltd");
}

// A stored amount below the cent survives a save of other changes, and passing through the
// amount field works nothing out again.
void TestPaymentVoucherWindow::untouchedAmountsKeptExactly() {
    Harness h;
    Row row{"900"};
    row.base = 100050; // 10.005, shown as $10.01
    row.tax = 7003;    // typed by hand, not 7% of the base
    h.addRow(row);
    h.open();
    QCOMPARE(h.text("txtOffsetAmount"), "$10.01");
    h.focus("txtOffsetAmount");
    h.tab();
    h.type("txtTransDesc", "only this");
    h.save();
    const QString amounts = "OffsetAmount, OffsetGSTAmount, BankAccountAmount, DoubleEntryBank, "
                            "DoubleEntryOffset, DoubleEntryGST, TransDesc";
    QCOMPARE(h.columns("900", amounts), "100050|7003|107053|-107053|100050|7003|only this");
    // A changed amount is the user's, and its tax is worked out again.
    h.enter("txtOffsetAmount", "20");
    h.save();
    QCOMPARE(h.columns("900", amounts), "200000|14000|214000|-214000|200000|14000|only this");
}

// Where no window manager hands the activation back, the window takes it back itself after a
// chooser, so the Tab that leaves the tax amount works out the total.
void TestPaymentVoucherWindow::pickerHandsActivationBack() {
    Harness h;
    h.openAdding();
    h.enter("txtOffsetAmount", "100");
    h.taxPicks.push_back([](Services& s) {
        QWidget chooser;
        chooser.show();
        QApplication::setActiveWindow(&chooser);
        s.lookup.LookupValue4 = "G";
        s.lookup.LookupValue5 = "7.00%";
        s.lookup.LookupValue6 = "2200";
        return true;
    });
    h.dropDown("cboGSTCode");
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    QCOMPARE(h.focusName(), "txtGSTAmount");
    h.type("txtGSTAmount", "7");
    h.tab();
    QCOMPARE(h.text("txtTotal"), "$107.00");
}

void TestPaymentVoucherWindow::escapeUndoesThenCloses() {
    Harness h;
    h.addRow({"900"});
    h.open();
    // A changed row: Escape puts it back as stored, even with a refused amount in the field.
    h.type("txtOffsetAmount", "12x");
    h.book.prompts.expect(kNaN);
    h.tab();
    h.escape();
    QCOMPARE(h.text("txtOffsetAmount"), "$100.00");
    QVERIFY(h.window->isVisible());
    // A new row: Escape drops it.
    h.add(true);
    h.escape();
    QCOMPARE(h.caption(), "Payment Voucher: 1 of 1");
    QCOMPARE(h.text("txtTransID"), "900");
    QVERIFY(!h.window->nextNumberAccepted());
    // Nothing changed: Escape closes.
    h.escape();
    QVERIFY(!h.window->isVisible());
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.rows(), 1);
    QCOMPARE(h.counter(), 1001);
}

QTEST_MAIN(TestPaymentVoucherWindow)
#include "tst_paymentvoucherwindow.moc"
