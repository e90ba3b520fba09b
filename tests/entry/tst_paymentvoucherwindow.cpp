// The payment voucher window driven as a user drives it. The behaviour the three entry
// windows share (the navigator, locking, the record check's flow, Add/Save/Undo/Delete/
// Find/Close, Escape) is tested here; the receipt and bank entry tests keep what differs.
#include "data/failure.h"
#include "data/messages.h"
#include "data/recordnavigator.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "entrydriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>

namespace {

using Answer = Prompts::Answer;
const VoucherKind& payment = VoucherKind::payment();
const QString kAmounts = "OffsetAmount, OffsetGSTAmount, BankAccountAmount, DoubleEntryBank, "
                         "DoubleEntryOffset, DoubleEntryGST";

// Stored vouchers 900 + count down to 901, the newest first, and the window over them.
struct Opened : EntryDriver {
    explicit Opened(int count = 0) {
        for (int i = count; i >= 1; --i)
            addRow({QString::number(900 + i), QStringLiteral("2003-01-1%1").arg(i)});
        open(payment);
    }
};

// The window with a new row, its offered number accepted.
struct Adding : Opened {
    Adding() { add(); }
};

} // namespace

class TestPaymentVoucherWindow : public QObject {
    Q_OBJECT

private slots:
    void emptyBookAndTabOrder();
    void tax_data();
    void tax();
    void overtypedTaxSurvivesUntilBaseLeft();
    void amountChecks_data();
    void amountChecks();
    void typeList();
    void typedCodes();
    void taxWithoutAccount();
    void untouchedAmountsKeptExactly();
    void pickerHandsActivationBack();
    void failingChooserReport_data();
    void failingChooserReport();
    void lockedRows_data();
    void lockedRows();
    void moveRefusalShowsBothMessages();
    void numbering_data();
    void numbering();
    void controlAccounts();
    void deleteRepositions();
    void find();
    void failedSaveChangesNothing();
    void leavingChangedRowWritesIt();
    void closing_data();
    void closing();
    void duplicateNumberRefusedAtSave();
    void escapeUndoesThenCloses();
};

void TestPaymentVoucherWindow::emptyBookAndTabOrder() {
    EntryDriver h;
    h.addRow({"R1", "2003-01-02", "3"});
    h.open(payment);
    QCOMPARE(h.caption(), "Payment Voucher: 0");
    QCOMPARE(h.focusName(), "cmdAdd");
    QVERIFY(!h.enabled("txtOffsetAmount") && !h.enabled("cmdSave") && h.enabled("cmdFindByPV"));
    h.key(Qt::Key_F1);
    QCOMPARE(h.book.launcher.helpTopics, QStringList{payment.helpTopic});
    // Save and Delete pressed anyway (through their signals) say there is nothing to work on.
    h.book.prompts.expect(Messages::noRecordToSave()).expect(Messages::noRecordsToDelete());
    emit h.get<QAbstractButton>("cmdSave")->clicked();
    emit h.get<QAbstractButton>("cmdDelete")->clicked();
    h.add();
    const QStringList order =
        QStringLiteral("txtVendorID txtTransType txtTransID DTPicker txtTransDesc txtTransDescMemo "
                       "cboGLOffsetAccountCode txtOffsetAmount cboGSTCode txtGSTAmount cmdSave")
            .split(QLatin1Char(' '));
    QCOMPARE(h.tabWalk(order.first(), order.size()), order);
}

void TestPaymentVoucherWindow::tax_data() {
    QTest::addColumn<bool>("before"); // the rate is picked before the base is entered
    QTest::addColumn<QString>("shownRate");
    QTest::addColumn<QString>("result"); // rate, tax and total
    const auto row = [](const char* name, bool before, const char* rate, const char* result) {
        QTest::newRow(name) << before << QString(rate) << QString(result);
    };
    row("7% before", true, "7.00%", "0.07|$7.00|$107.00");
    row("rate 0 before gives 0", true, "0.00%", "0|0|$100.00");
    row("no tax code", true, "", "||$100.00");
    row("7% after", false, "7.00%", "0.07|$7.00|$107.00");
    row("0.00% after gives $0.00", false, "0.00%", "0|$0.00|$100.00");
}

void TestPaymentVoucherWindow::tax() {
    QFETCH(bool, before);
    QFETCH(QString, shownRate);
    QFETCH(QString, result);
    Adding h;
    if (before && !shownRate.isEmpty()) {
        // Picked before the base: rate and tax account are set, the tax amount is not.
        h.chooseTax("G", shownRate);
        QCOMPARE(h.texts("txtGSTRate txtGSTAccountCode txtGSTDeptCode txtGSTAmount"),
                 result.section('|', 0, 0) + "|2200|ADMIN|");
        QCOMPARE(h.focusName(), "txtGSTAmount");
    }
    h.enter("txtOffsetAmount", "100");
    if (!before) {
        h.chooseTax("G", shownRate);
        QCOMPARE(h.focusName(), "txtGSTAmount");
        h.tab();
    }
    QCOMPARE(h.texts("txtGSTRate txtGSTAmount txtTotal"), result);
    // Emptying the base empties the tax fields and the total.
    h.enter("txtOffsetAmount", QString());
    QCOMPARE(h.texts("cboGSTCode txtGSTRate txtGSTAccountCode txtGSTDeptCode txtGSTAmount "
                     "txtTotal"),
             "|||||");
}

void TestPaymentVoucherWindow::overtypedTaxSurvivesUntilBaseLeft() {
    Adding h;
    h.enter("txtOffsetAmount", "100");
    h.chooseTax("G", "7.00%");
    h.enter("txtGSTAmount", "9");
    QCOMPARE(h.texts("txtGSTAmount txtTotal"), "9|$109.00");
    // Passing through other fields keeps it; leaving the base recomputes it.
    h.focus("txtTransDesc");
    h.tab();
    QCOMPARE(h.text("txtGSTAmount"), "9");
    h.focus("txtOffsetAmount");
    h.tab();
    QCOMPARE(h.texts("txtGSTAmount txtTotal"), "$7.00|$107.00");
    // A chooser closed without a choice keeps the code, disables the tax amount and goes to the
    // vendor.
    h.taxPicks.push_back([](Services&) { return false; });
    h.dropDown("cboGSTCode");
    QCOMPARE(h.text("cboGSTCode"), "G");
    QVERIFY(!h.enabled("txtGSTAmount"));
    QCOMPARE(h.focusName(), "txtVendorID");
}

void TestPaymentVoucherWindow::amountChecks_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("total"); // empty when the field is not left
    const QString base = "txtOffsetAmount", tax = "txtGSTAmount";
    const QString negative = Messages::negativeAmountQuestion(), nan = Messages::notANumber();
    const int yes = int(Answer::Yes), no = int(Answer::No), ok = int(Answer::Ok);
    QTest::newRow("negative base after Yes") << base << "-5" << negative << yes << "-$5.00";
    QTest::newRow("negative base refused") << base << "-5" << negative << no << "";
    QTest::newRow("base not a number") << base << "12x" << nan << ok << "";
    QTest::newRow("base beyond the book's limit")
        << base << "900000000000000" << Messages::amountOutOfRange() << ok << "";
    QTest::newRow("negative tax after Yes") << tax << "-1" << negative << yes << "$49.00";
    QTest::newRow("negative tax refused") << tax << "-1" << negative << no << "";
    QTest::newRow("tax not a number") << tax << "x" << nan << ok << "";
}

void TestPaymentVoucherWindow::amountChecks() {
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(int, answer);
    QFETCH(QString, total);
    Adding h;
    const bool taxField = field == QLatin1String("txtGSTAmount");
    if (taxField) {
        h.enter("txtOffsetAmount", "50");
        h.chooseTax("Z", "0.00%");
        h.tab();
    }
    h.type(field, input);
    h.book.prompts.expect(message, Answer(answer));
    h.tab();
    QCOMPARE(h.text(field), input);
    const bool left = !total.isEmpty();
    QCOMPARE(h.focusName() == field, !left);
    QCOMPARE(h.text("txtTotal"), left ? total : taxField ? "$50.00" : "");
    if (left)
        return;
    // The refused text is selected, so typing replaces it; a command clicked meanwhile is not
    // run.
    QCOMPARE(h.get<QLineEdit>(field)->selectedText(), input);
    h.book.prompts.expect(message, Answer(answer));
    h.click("cmdSave");
    QCOMPARE(h.focusName(), field);
}

void TestPaymentVoucherWindow::typeList() {
    Adding h;
    auto* list = h.get<QListWidget>("lstTransType");
    QWidget* type = h.get("txtTransType");
    QVERIFY(!list->isVisible());
    h.focus("txtTransType");
    QVERIFY(list->isVisible());
    // Down chooses type 2, which posts against the AP clearing account; Up type 1, which
    // empties the account.
    const QString typeAndAccount =
        "txtTransType cboGLOffsetAccountCode txtGLOffsetDeptCode txtGLOffsetAccountDesc";
    QTest::keyClick(type, Qt::Key_Down);
    QCOMPARE(h.texts(typeAndAccount), "2|2100|ADMIN|AP Clearing");
    QTest::keyClick(type, Qt::Key_Up);
    QCOMPARE(h.texts(typeAndAccount), "1|||");
    // A click on an entry chooses it and leaves the focus in the field; typing a code too.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(h.text("txtTransType"), "2");
    QCOMPARE(h.focusName(), "txtTransType");
    QTest::keyClick(type, Qt::Key_1);
    QCOMPARE(h.text("txtTransType"), "1");
    h.tab();
    QVERIFY(!list->isVisible());
    QCOMPARE(h.focusName(), "txtTransID");
}

// Codes typed by hand: an unknown one is refused; a known one fills what its chooser fills.
void TestPaymentVoucherWindow::typedCodes() {
    Adding h;
    h.book.sql("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES ('5100', 'ADMIN'), "
               "('5100', 'SALES')");
    const auto refused = [&h](const QString& field, const QString& typed, const QString& message) {
        h.type(field, typed);
        h.book.prompts.expect(message);
        h.tab();
    };
    refused("txtVendorID", "ZZZ", payment.unknownPartyMessage);
    QVERIFY(h.text("txtVendorID").isEmpty());
    QCOMPARE(h.focusName(), "txtTransType");
    // The payee's name and address are printed on the voucher and cheque.
    h.enter("txtVendorID", "v1");
    QCOMPARE(h.texts("txtVendorID txtVendorName txtPostalCode"), "V1|Acme Ltd|12345");

    refused("cboGLOffsetAccountCode", "9999", Messages::unknownAccount());
    QVERIFY(h.text("cboGLOffsetAccountCode").isEmpty());
    QCOMPARE(h.focusName(), "cboGLOffsetAccountCode");
    // An account kept under several departments is not guessed: its department is picked.
    refused("cboGLOffsetAccountCode", "5100", Messages::accountHasDepartments("5100"));
    QCOMPARE(h.focusName(), "cboGLOffsetAccountCode");
    h.enter("cboGLOffsetAccountCode", "5000");
    QCOMPARE(h.texts("txtGLOffsetDeptCode txtGLOffsetAccountDesc"), "ADMIN|Office Supplies");
    QCOMPARE(h.focusName(), "txtOffsetAmount");
    h.enter("txtOffsetAmount", "100");

    refused("cboGSTCode", "Q", Messages::unknownTaxCode());
    QVERIFY(h.text("cboGSTCode").isEmpty());
    QCOMPARE(h.focusName(), "cboGSTCode");
    const QString taxFields = "txtGSTRate txtGSTAccountCode txtGSTAmount txtTotal";
    h.enter("cboGSTCode", "g");
    QCOMPARE(h.texts(taxFields), "0.07|2200|$7.00|$107.00");
    // A code typed over another brings its own rate and account.
    h.book.sql("INSERT INTO tblTaxTable VALUES ('P', 'PST', 0.05, '2300', '', 'PST')");
    h.enter("cboGSTCode", "P");
    QCOMPARE(h.texts(taxFields), "0.05|2300|$5.00|$105.00");
    // The picker's Up key moves the date on a day, and the stored date follows it.
    h.focus("DTPicker");
    QTest::keyClick(h.get("DTPicker"), Qt::Key_Up);
    h.save();
    QCOMPARE(h.columns("1001", "VendorName, Address4, OffsetGLDeptCode, OffsetGSTTaxCode, "
                               "OffsetGSTTaxRate, OffsetGSTGLAccountCode, TransDate, "
                               "BankAccountGLAccountCode, BankAccountGLDeptCode"),
             "Acme Ltd|State|ADMIN|P|0.05|2300|2003-01-16|1000|ADMIN");
    QCOMPARE(h.columns("1001", kAmounts), "1000000|50000|1050000|-1050000|1000000|50000");
}

// Tax that posts to no account is refused: the entry would not balance in the ledger.
void TestPaymentVoucherWindow::taxWithoutAccount() {
    Adding h;
    h.book.sql("UPDATE tblTaxTable SET GLAccountCode = NULL WHERE TaxCode = 'G'");
    h.fill();
    h.enter("cboGSTCode", "G");
    h.book.prompts.expect(Messages::taxCodeWithoutAccount());
    h.click("cmdSave");
    QCOMPARE(h.focusName(), "cboGSTCode");
    QCOMPARE(h.rows(), 0);
}

// A stored amount below the cent survives a save of other changes, and passing through the
// amount field works nothing out again.
void TestPaymentVoucherWindow::untouchedAmountsKeptExactly() {
    EntryDriver h;
    h.addRow({"900", "2003-01-10", "1", "1", 100050, 7003}); // 10.005, tax typed by hand
    h.addRow({"800", "2003-01-01", "1", "1", 1000000, 175000, 0.175});
    h.open(payment);
    QCOMPARE(h.text("txtOffsetAmount"), "$10.01");
    h.focus("txtOffsetAmount");
    h.tab();
    h.type("txtTransDesc", "only this");
    h.save();
    QCOMPARE(h.columns("900", kAmounts + ", TransDesc"),
             "100050|7003|107053|-107053|100050|7003|only this");
    // A changed amount is the user's, and its tax is worked out again.
    h.enter("txtOffsetAmount", "20");
    h.save();
    QCOMPARE(h.columns("900", kAmounts), "200000|14000|214000|-214000|200000|14000");
    // A stored rate shows as a percentage and works out tax as the fraction it stands for.
    h.navigate("navNext");
    QCOMPARE(h.texts("txtGSTRate txtGSTAmount"), "17.50%|$17.50");
    h.enter("txtOffsetAmount", "200");
    QCOMPARE(h.texts("txtGSTRate txtGSTAmount txtTotal"), "0.175|$35.00|$235.00");
}

// Where no window manager hands the activation back, the window takes it back itself after a
// chooser, so the Tab that leaves the tax amount works out the total.
void TestPaymentVoucherWindow::pickerHandsActivationBack() {
    Adding h;
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

// A chooser that fails ends its drop-down with the error report under the drop-down's label;
// the tax list reports under the account list's label, as the account list does.
void TestPaymentVoucherWindow::failingChooserReport_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("routine");
    QTest::newRow("vendor") << "txtVendorID"
                            << "txtVendorID DropDown";
    QTest::newRow("account") << "cboGLOffsetAccountCode"
                             << "cboGLOffsetAccountCode DropDown";
    // Each list reports under its own name (the tax list once reported as the account's).
    QTest::newRow("tax") << "cboGSTCode" << "cboGSTCode DropDown";
}

void TestPaymentVoucherWindow::failingChooserReport() {
    QFETCH(QString, list);
    QFETCH(QString, routine);
    Adding h;
    h.enter("txtOffsetAmount", "100");
    const auto failing = [](Services&) -> bool {
        throw Failure(ErrorNumber::ObjectNotSet, QStringLiteral("The list broke."));
    };
    h.partyPicks.push_back(failing);
    h.accountPicks.push_back(failing);
    h.taxPicks.push_back(failing);
    h.book.prompts.expect(Messages::errorReport(ErrorNumber::ObjectNotSet, "The list broke.",
                                                payment.windowName, routine));
    h.dropDown(list);
    QVERIFY(h.book.prompts.verifyAllShown());
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
    EntryDriver h;
    h.addRow({"900", "2003-01-10", "1", status});
    h.addRow({"800", "2003-01-01"});
    h.open(payment);
    QCOMPARE(h.text("txtReconciliationStatusMsg"), word);
    QCOMPARE(h.enabled("txtOffsetAmount"), !locked);
    QCOMPARE(h.enabled("cmdSave"), !locked);
    QVERIFY(h.enabled("cmdAdd") && h.enabled("cmdFindByPV") && h.enabled("Adodc1"));
    if (locked) {
        // Delete pressed anyway (through its signal) refuses.
        h.book.prompts.expect(Messages::deleteNotOutstanding());
        emit h.get<QAbstractButton>("cmdDelete")->clicked();
    }
    // Whatever its fields come to hold, leaving a locked row never writes it; moving on to an
    // outstanding row unlocks the fields again.
    h.get<QLineEdit>("txtTransDesc")->setText("changed");
    h.navigate("navNext");
    QCOMPARE(h.columns("900", "TransStatus, TransDesc"), locked ? status + "|null" : "1|changed");
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
    QVERIFY(h.enabled("txtOffsetAmount"));
}

void TestPaymentVoucherWindow::moveRefusalShowsBothMessages() {
    EntryDriver h;
    h.addRow({"901", "2003-01-12"});
    h.addRow({"900"});
    h.book.sql("UPDATE tblCashbook SET VendorID = NULL WHERE TransID = '901'");
    h.open(payment);
    h.book.prompts.expect(Messages::moveRefused()).expect(payment.missingPartyMessage);
    h.navigate("navNext");
    QCOMPARE(h.caption(), "Payment Voucher: 1 of 2");
    QCOMPARE(h.focusName(), "txtVendorID");
    // Nothing was written by the refused move.
    QCOMPARE(h.columns("901", "VendorID"), "null");
}

void TestPaymentVoucherWindow::numbering_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("savedId");
    QTest::newRow("1001 accepted") << "accept" << 1002 << "1001";
    QTest::newRow("refused and typed") << "refuse type:555" << 1001 << "555";
    // An accepted offer lasts only for its own new row: Undo and a refused offer clear it, so
    // the row saved after them leaves the counter where it was.
    QTest::newRow("accepted, undone, another saved")
        << "accept undo refuse type:556" << 1001 << "556";
    QTest::newRow("accepted then overtyped") << "accept type:555" << 1001 << "555";
    // A number a saved row holds is never offered again.
    QTest::newRow("refused, offered number typed") << "refuse type:1001" << 1002 << "1001";
}

void TestPaymentVoucherWindow::numbering() {
    QFETCH(QString, script);
    QFETCH(int, counter);
    QFETCH(QString, savedId);
    Opened h;
    for (const QString& step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("accept") || step == QLatin1String("refuse")) {
            h.add(step == QLatin1String("accept"));
            QCOMPARE(h.text("txtTransID"), step == QLatin1String("accept") ? "1001" : QString());
            QCOMPARE(h.focusName(), "txtVendorID");
            QVERIFY(!h.enabled("cmdAdd") && !h.enabled("Adodc1"));
        } else if (step == QLatin1String("undo")) {
            h.click("cmdUndo");
            QCOMPARE(h.caption(), "Payment Voucher: 0");
            QCOMPARE(h.focusName(), "cmdAdd");
        } else {
            h.enter("txtTransID", step.mid(5));
        }
    }
    h.fill();
    h.save();
    QCOMPARE(h.rows(), 1);
    QCOMPARE(h.columns(savedId, "TransID"), savedId);
    QCOMPARE(h.counters(), QStringLiteral("%1/500").arg(counter));
    QVERIFY(!h.voucher().nextNumberAccepted());
    QCOMPARE(h.caption(), "Payment Voucher: 1 of 1");
    QVERIFY(h.enabled("cmdAdd") && h.enabled("Adodc1"));
    // The next Add offers the counter's number as it now stands.
    h.add(false);
}

// The window reads the integrations and control accounts from the book; the rule tests hold
// the order of the checks.
void TestPaymentVoucherWindow::controlAccounts() {
    Adding h;
    h.fill();
    const auto refused = [&h](const QString& account, const QString& message) {
        h.enter("cboGLOffsetAccountCode", account);
        h.book.prompts.expect(message);
        h.click("cmdSave");
        QCOMPARE(h.focusName(), "cboGLOffsetAccountCode");
    };
    refused("1000", Messages::bankAccountAsOffset());
    h.integrate(true, false);
    refused("2000", Messages::apControlAsOffset());
    h.integrate(false, true);
    refused("1200", Messages::arControlAsOffset());
    QCOMPARE(h.rows(), 0);
    // The AP control account is an offset like any other while only AR is integrated.
    h.enter("cboGLOffsetAccountCode", "2000");
    h.save();
    QCOMPARE(h.columns("1001", "OffsetGLAccountCode"), "2000");
}

void TestPaymentVoucherWindow::deleteRepositions() {
    Opened h(3);
    h.book.prompts.expect(Messages::confirmDelete(), Answer::Yes);
    h.click("cmdDelete");
    QCOMPARE(h.text("txtTransID"), "901");
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
    QCOMPARE(h.columns("903", "TransID"), "no row");
    // No keeps the row.
    h.book.prompts.expect(Messages::confirmDelete(), Answer::No);
    h.click("cmdDelete");
    QCOMPARE(h.rows(), 2);
}

void TestPaymentVoucherWindow::find() {
    Opened h(3);
    h.addRow({"R100", "2003-01-14", "3"});
    h.finds.push_back("902");
    h.click("cmdFindByPV");
    QCOMPARE(h.text("txtTransID"), "902");
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 3");
    // A receipt number is not a voucher: not found, and the last row is shown.
    const auto notFound = [](const QString& id) {
        return payment.notFoundLabel + id + QStringLiteral(" was not found.");
    };
    h.finds.push_back("R100");
    h.book.prompts.expect(notFound("R100"));
    h.click("cmdFindByPV");
    QCOMPARE(h.caption(), "Payment Voucher: 3 of 3");
    // Cancelled: nothing moves. A number with a quote is only a value.
    h.finds.push_back(std::nullopt);
    h.finds.push_back("9'0");
    h.click("cmdFindByPV");
    QCOMPARE(h.caption(), "Payment Voucher: 3 of 3");
    h.book.prompts.expect(notFound("9'0"));
    h.click("cmdFindByPV");
}

void TestPaymentVoucherWindow::failedSaveChangesNothing() {
    Adding h;
    h.fill();
    h.book.sql("CREATE TRIGGER failCounter BEFORE UPDATE ON tblBankDetails "
               "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    h.book.prompts.expect(payment.saveQuestion, Answer::Yes)
        .expectMatch(QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: .*\r\nError "
                                    "Description: .*disk full.*\r\nForm: %1\r\nRoutine: cmdSave$")
                         .arg(payment.windowName));
    h.click("cmdSave");
    QCOMPARE(h.rows(), 0);
    QCOMPARE(h.counters(), "1001/500");
    // The row is still being added, with its number still accepted; a later save succeeds.
    QVERIFY(h.window->navigator().isAdding());
    QVERIFY(h.voucher().nextNumberAccepted());
    h.book.sql("DROP TRIGGER failCounter");
    h.save();
    QCOMPARE(h.counters(), "1002/500");
    QCOMPARE(h.rows(), 1);
}

void TestPaymentVoucherWindow::leavingChangedRowWritesIt() {
    Opened h(2);
    h.type("txtOffsetAmount", "200");
    h.navigate("navNext");
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
    // Written as Save writes: amounts, double entry and status agree.
    QCOMPARE(h.columns("902", kAmounts), "2000000|140000|2140000|-2140000|2000000|140000");
    // An unchanged row is left as it is stored.
    h.book.sql("UPDATE tblSystemSetup SET GLBankAccountCode = '1001'");
    h.navigate("navPrevious");
    QCOMPARE(h.columns("901", "BankAccountGLAccountCode"), "null");
    // From the keyboard, with the cursor still in the amount: the field is left first, so the
    // tax is worked out before the row is written.
    h.type("txtOffsetAmount", "300");
    h.key(Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
    QCOMPARE(h.columns("902", kAmounts), "3000000|210000|3210000|-3210000|3000000|210000");
}

void TestPaymentVoucherWindow::closing_data() {
    QTest::addColumn<bool>("box");
    QTest::newRow("Close button") << false;
    QTest::newRow("close box") << true;
}

void TestPaymentVoucherWindow::closing() {
    QFETCH(bool, box);
    Adding h;
    auto close = [&h, box] {
        if (box)
            h.window->close();
        else
            h.click("cmdClose");
        EntryDriver::settle();
    };
    // An invalid new row: No keeps the window open and shows the failing check.
    h.book.prompts.expect(Messages::closeQuestion(), Answer::No).expect(Messages::missingAmount());
    close();
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.focusName(), "txtOffsetAmount");
    // A valid new row is written when the window closes, counter and all. Without tax, the
    // tax side of the double entry is 0.
    h.fill();
    close();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.columns("1001", kAmounts + ", TransStatus, ExportedToAccpac"),
             "1000000|null|1000000|-1000000|1000000|0|1|0");
    QCOMPARE(h.counters(), "1002/500");
    // Yes abandons the changes.
    h.open(payment);
    h.type("txtOffsetAmount", QString());
    h.book.prompts.expect(Messages::closeQuestion(), Answer::Yes);
    close();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.columns("1001", "OffsetAmount"), "1000000");
}

// The book refuses a number another row holds; the refused Save leaves the window as it was.
void TestPaymentVoucherWindow::duplicateNumberRefusedAtSave() {
    EntryDriver h;
    h.addRow({"R7", "2003-01-14", "3"});
    h.addRow({"900"});
    h.open(payment);
    // A stored row edited into another's number.
    h.enter("txtTransID", "r7");
    h.book.prompts.expect(payment.saveQuestion, Answer::Yes).expect(Messages::duplicateNumber());
    h.click("cmdSave");
    QCOMPARE(h.text("txtTransID"), "r7");
    QCOMPARE(h.focusName(), "txtTransID");
    // A new row stays a new row, with all that was typed.
    h.click("cmdUndo");
    h.add(false);
    h.enter("txtTransID", "950");
    h.fill();
    h.book.sql("INSERT INTO tblCashbook (TransID, TransType) VALUES ('950', '1')");
    h.book.prompts.expect(payment.saveQuestion, Answer::Yes).expect(Messages::duplicateNumber());
    h.click("cmdSave");
    QVERIFY(h.window->navigator().isAdding());
    QCOMPARE(h.texts("txtTransID txtVendorName txtOffsetAmount"), "950|Acme Ltd|100");
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "cmdDelete"})
        QVERIFY2(!h.enabled(name), name);
    h.enter("txtTransID", "951");
    h.save();
    QCOMPARE(h.columns("951", "VendorName"), "Acme Ltd");
    QCOMPARE(h.rows(), 4);
}

void TestPaymentVoucherWindow::escapeUndoesThenCloses() {
    EntryDriver h;
    h.addRow({"900"});
    h.open(payment);
    QCOMPARE(h.get<QDateEdit>("DTPicker")->date(), QDate(2003, 1, 10));
    // A changed row: Escape puts it back as stored, even with a refused amount in the field.
    h.type("txtOffsetAmount", "12x");
    h.book.prompts.expect(Messages::notANumber());
    h.tab();
    h.key(Qt::Key_Escape);
    QCOMPARE(h.texts("txtOffsetAmount txtTotal"), "$100.00|$107.00");
    QVERIFY(h.window->isVisible());
    // A new row: Escape drops it.
    h.add();
    h.key(Qt::Key_Escape);
    QCOMPARE(h.caption(), "Payment Voucher: 1 of 1");
    QCOMPARE(h.text("txtTransID"), "900");
    QVERIFY(!h.voucher().nextNumberAccepted());
    // Nothing changed: Escape closes.
    h.key(Qt::Key_Escape);
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.rows(), 1);
    QCOMPARE(h.counters(), "1001/500");
}

QTEST_MAIN(TestPaymentVoucherWindow)
#include "tst_paymentvoucherwindow.moc"
