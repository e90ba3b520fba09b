// The payment voucher, receipt and bank entry windows driven as a user drives them. The
// receipt window is the payment voucher window configured for receipts, and the bank entries
// window shares their base: what they share (the navigator, locking, the record check's flow,
// Add/Save/Undo/Delete/Find/Close, Escape) is tested on the payment voucher, what differs as
// rows of the other two windows or as their own cases.
#include "data/failure.h"
#include "entrydriver.h"
#include "support/datarows.h"

#include <QDateEdit>
#include <QListWidget>

namespace {

using Answer = Prompts::Answer;
const VoucherKind& payment = VoucherKind::payment();
const VoucherKind& receipt = VoucherKind::receipt();
const QString kAmounts = "OffsetAmount, OffsetGSTAmount, BankAccountAmount, DoubleEntryBank, "
                         "DoubleEntryOffset, DoubleEntryGST";

// Stored vouchers 900 + count down to 901, the newest first, and the window over them.
struct Opened : EntryDriver {
    explicit Opened(int count = 0) {
        for (int i = count; i >= 1; --i)
            addRow({QString::number(900 + i), QStringLiteral("2003-01-1%1").arg(i)});
        open(Payment);
    }
};

// The window with a new row, its offered number accepted.
struct Adding : Opened {
    Adding() { add(); }
};

// The fields Tab visits from the focus, stops in all (the date picker's parts as one).
QStringList tabWalk(EntryDriver& h, qsizetype stops) {
    QStringList seen{h.focusName()};
    while (seen.size() < stops) {
        for (int step = 0; step < 4 && h.focusName() == seen.last(); ++step)
            h.tab();
        seen << h.focusName();
    }
    return seen;
}

} // namespace

class TestEntryWindows : public QObject {
    Q_OBJECT

private slots:
    void openingAndTabOrder_data() {
        // added: type and ID of a new row
        // order: the stops of Tab from where Add leaves the focus
        columns<Window, QString, QString>("window", "added", "order");
        const QString voucher =
            " txtTransType txtTransID DTPicker txtTransDesc txtTransDescMemo "
            "cboGLOffsetAccountCode txtOffsetAmount cboGSTCode txtGSTAmount cmdSave";
        addRow("payment", Payment, "1|1001", "txtVendorID" + voucher);
        addRow("receipt", Receipt, "3|500", "txtCustomerID" + voucher);
        // No number is offered: a bank charge, its ID to be typed.
        addRow("bank", Bank, "5|",
               "txtTransType txtTransID DTPicker txtTransDesc txtOffsetAmount "
               "cboGLOffsetAccountCode cmdSave");
    }

    void openingAndTabOrder() {
        auto [window, added, order] = fetch<Window, QString, QString>("window", "added", "order");
        EntryDriver h;
        h.addRow({"X1", "2003-01-02", window == Bank ? "3" : "5"}); // another window's row
        h.open(window);
        QVERIFY(h.caption().endsWith(": 0"));
        QCOMPARE(h.focusName(), "cmdAdd");
        QVERIFY(!h.enabled("txtOffsetAmount") && !h.enabled("cmdSave") && h.enabled("cmdFindByPV"));
        h.key(Qt::Key_F1);
        QCOMPARE(h.book.launcher.helpTopics, QStringList{h.window->objectName()});
        // Save and Delete pressed anyway (through their signals) say there is nothing to work on.
        h.book.prompts.expect(Messages::noRecordToSave()).expect(Messages::noRecordsToDelete());
        emit h.get<QAbstractButton>("cmdSave")->clicked();
        emit h.get<QAbstractButton>("cmdDelete")->clicked();
        h.add();
        QCOMPARE(h.texts("txtTransType txtTransID"), added);
        QCOMPARE(h.get<QDateEdit>("DTPicker")->date(), QDate(2003, 1, 15));
        // The type list shows while the type field has the focus.
        auto* list = h.get<QListWidget>("lstTransType");
        QCOMPARE(list->isVisible(), window == Bank);
        const QStringList stops = order.split(' ');
        QCOMPARE(tabWalk(h, stops.size()), stops);
        QVERIFY(!list->isVisible());
    }

    void tax_data() {
        // before: the rate is picked before the base is entered
        // result: rate, tax and total
        columns<bool, QString, QString>("before", "shownRate", "result");
        addRow("7% before", true, "7.00%", "0.07|$7.00|$107.00");
        addRow("rate 0 before gives 0", true, "0.00%", "0|0|$100.00");
        addRow("no tax code", true, "", "||$100.00");
        addRow("7% after", false, "7.00%", "0.07|$7.00|$107.00");
        addRow("0.00% after gives $0.00", false, "0.00%", "0|$0.00|$100.00");
    }

    void tax() {
        auto [before, shownRate, result] =
            fetch<bool, QString, QString>("before", "shownRate", "result");
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

    void overtypedTaxSurvivesUntilBaseLeft() {
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
        h.taxPicks.push_back([] { return std::nullopt; });
        h.dropDown("cboGSTCode");
        QCOMPARE(h.text("cboGSTCode"), "G");
        QVERIFY(!h.enabled("txtGSTAmount"));
        QCOMPARE(h.focusName(), "txtVendorID");
    }

    void amountChecks_data() {
        // taxField: the tax amount, else the base
        // total: empty when the field is not left
        columns<bool, QString, QString, int, QString>("taxField", "input", "message", "answer",
                                                      "total");
        const QString negative = Messages::negativeAmountQuestion(), nan = Messages::notANumber();
        const int yes = int(Answer::Yes), no = int(Answer::No), ok = int(Answer::Ok);
        addRow("negative base after Yes", false, "-5", negative, yes, "-$5.00");
        addRow("negative base refused", false, "-5", negative, no, "");
        addRow("base not a number", false, "12x", nan, ok, "");
        addRow("base beyond the book's limit", false, "900000000000000",
               Messages::amountOutOfRange(), ok, "");
        addRow("negative tax after Yes", true, "-1", negative, yes, "$49.00");
        addRow("negative tax refused", true, "-1", negative, no, "");
        addRow("tax not a number", true, "x", nan, ok, "");
    }

    void amountChecks() {
        auto [taxField, input, message, answer, total] =
            fetch<bool, QString, QString, int, QString>("taxField", "input", "message", "answer",
                                                        "total");
        Adding h;
        const QString field = taxField ? "txtGSTAmount" : "txtOffsetAmount";
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

    void typeList_data() {
        // script: keys pressed in the type field, each with the type and offset account it leaves
        columns<Window, QString>("window", "script");
        // Type 2 posts against the AP clearing account, type 4 against the AR clearing account;
        // choosing the other type empties the account.
        addRow("payment", Payment, "Down:2|2100|ADMIN|AP Clearing;Up:1|||;1:1|||");
        // The payment codes are not receipt types: typing one chooses nothing.
        addRow("receipt", Receipt, "4:4|1300|SALES|AR Clearing;2:4|1300|SALES|AR Clearing;Up:3|||");
    }

    void typeList() {
        auto [window, script] = fetch<Window, QString>("window", "script");
        EntryDriver h;
        h.open(window);
        h.add();
        auto* list = h.get<QListWidget>("lstTransType");
        QWidget* type = h.get("txtTransType");
        h.focus("txtTransType");
        QVERIFY(list->isVisible());
        for (const QString& step : script.split(';')) {
            const QString key = step.section(':', 0, 0);
            if (key.size() == 1)
                QTest::keyClick(type, key.at(0).toLatin1());
            else
                QTest::keyClick(type, key == "Up" ? Qt::Key_Up : Qt::Key_Down);
            QCOMPARE(h.texts("txtTransType cboGLOffsetAccountCode txtGLOffsetDeptCode "
                             "txtGLOffsetAccountDesc"),
                     step.section(':', 1));
        }
        // A click on an entry chooses it and leaves the focus in the field.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(h.text("txtTransType"), h.kind->typeCodes.at(1));
        QCOMPARE(h.focusName(), "txtTransType");
        h.tab();
        QVERIFY(!list->isVisible());
        QCOMPARE(h.focusName(), "txtTransID");
    }

    void typedParty_data() {
        // unknown: the other party's code
        // stored: party, name and address as saved
        columns<Window, QString, QString, QString, QString>("window", "unknown", "known", "stored",
                                                            "counters");
        addRow("payment", Payment, "C1", "v1", "V1|Acme Ltd|null|null|Springfield|State|12345",
               "1002/500");
        addRow("receipt", Receipt, "V1", "c1", "null|null|C1|Brown & Co|Shelbyville|State|54321",
               "1001/501");
    }

    // A party typed by hand: an unknown code is refused, a known one brings what a pick brings
    // (the name and address printed on the voucher and cheque), and an emptied one stops the save.
    void typedParty() {
        auto [window, unknown, known, stored, counters] =
            fetch<Window, QString, QString, QString, QString>("window", "unknown", "known",
                                                              "stored", "counters");
        EntryDriver h;
        h.open(window);
        h.add();
        const QString id = h.text("txtTransID"), field = h.kind->partyField;
        h.type(field, unknown);
        h.book.prompts.expect(h.kind->unknownPartyMessage);
        h.tab();
        QVERIFY(h.text(field).isEmpty());
        QCOMPARE(h.focusName(), "txtTransType");
        h.enter(field, known);
        // The name and address fields are filled as the first ones stored.
        QCOMPARE(h.texts(field + " " + h.kind->partyNameField),
                 QString(stored).remove("null|").section('|', 0, 1));
        h.enter("cboGLOffsetAccountCode", "4000");
        h.enter("txtOffsetAmount", "100");
        h.save();
        QCOMPARE(h.columns(id, "VendorID, VendorName, CustID, CustomerName, Address3, Address4, "
                               "PostalCode, BankAccountGLAccountCode, BankAccountGLDeptCode"),
                 stored + "|1000|ADMIN");
        QCOMPARE(h.counters(), counters); // only the window's own counter moves on
        h.enter(field, QString());
        h.book.prompts.expect(h.kind->missingPartyMessage);
        h.click("cmdSave");
        QCOMPARE(h.focusName(), field);
    }

    // Codes typed by hand: an unknown one is refused; a known one fills what its chooser fills.
    void typedCodes() {
        Adding h;
        h.fill();
        h.book.sql(
            "INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES ('5100', 'ADMIN'), "
            "('5100', 'SALES')");
        const auto refused = [&h](const QString& field, const QString& typed,
                                  const QString& message) {
            h.type(field, typed);
            h.book.prompts.expect(message);
            h.tab();
            QCOMPARE(h.focusName(), field);
        };
        refused("cboGLOffsetAccountCode", "9999", Messages::unknownAccount());
        QVERIFY(h.text("cboGLOffsetAccountCode").isEmpty());
        // An account kept under several departments is not guessed: its department is picked.
        refused("cboGLOffsetAccountCode", "5100", Messages::accountHasDepartments("5100"));
        h.enter("cboGLOffsetAccountCode", "4000");
        QCOMPARE(h.texts("txtGLOffsetDeptCode txtGLOffsetAccountDesc"), "ADMIN|Sales");
        QCOMPARE(h.focusName(), "txtOffsetAmount");

        refused("cboGSTCode", "Q", Messages::unknownTaxCode());
        QVERIFY(h.text("cboGSTCode").isEmpty());
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
        QCOMPARE(h.columns("1001", "OffsetGLAccountCode, OffsetGLDeptCode, OffsetGSTTaxCode, "
                                   "OffsetGSTTaxRate, OffsetGSTGLAccountCode, TransDate, " +
                                       kAmounts),
                 "4000|ADMIN|P|0.05|2300|2003-01-16|1000000|50000|1050000|-1050000|1000000|50000");
    }

    // A chooser that fails ends its drop-down with the error report under that list's own
    // name (the tax list once reported as the account list).
    void failingChooserReport_data() {
        columns<QString>("list");
        addRow("vendor", "txtVendorID");
        addRow("account", "cboGLOffsetAccountCode");
        addRow("tax", "cboGSTCode");
    }
    void failingChooserReport() {
        const auto [list] = fetch<QString>("list");
        Adding h;
        h.enter("txtOffsetAmount", "100");
        const auto failing = []() -> std::nullopt_t {
            throw Failure(ErrorNumber::ObjectNotSet, QStringLiteral("The list broke."));
        };
        h.partyPicks.push_back(failing);
        h.accountPicks.push_back(failing);
        h.taxPicks.push_back(failing);
        h.book.prompts.expect(Messages::errorReport(ErrorNumber::ObjectNotSet, "The list broke.",
                                                    payment.windowName, list + " DropDown"));
        h.dropDown(list);
    }

    // A stored amount below the cent survives a save of other changes, and passing through the
    // amount field works nothing out again.
    void untouchedAmountsKeptExactly() {
        EntryDriver h;
        h.addRow({"900", "2003-01-10", "1", "1", 100050, 7003}); // 10.005, tax typed by hand
        h.addRow({"800", "2003-01-01", "1", "1", 1000000, 175000, 0.175});
        h.open(Payment);
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
    void pickerHandsActivationBack() {
        Adding h;
        h.enter("txtOffsetAmount", "100");
        h.taxPicks.push_back([] {
            QWidget chooser;
            chooser.show();
            QApplication::setActiveWindow(&chooser);
            return std::optional(TaxChoice{"G", "7.00%", "2200", ""});
        });
        h.dropDown("cboGSTCode");
        QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
        QCOMPARE(h.focusName(), "txtGSTAmount");
        h.type("txtGSTAmount", "7");
        h.tab();
        QCOMPARE(h.text("txtTotal"), "$107.00");
    }

    void lockedRows_data() {
        columns<QString, bool, QString>("status", "locked", "word");
        addRow("outstanding", "1", false, "Outstanding");
        addRow("reconciled", "2", true, "Reconciled");
        addRow("reversed", "3", true, "Reversed");
        addRow("void", "4", true, "Void");
        addRow("no status", "", false, "Outstanding");
    }

    void lockedRows() {
        auto [status, locked, word] = fetch<QString, bool, QString>("status", "locked", "word");
        EntryDriver h;
        h.addRow({"900", "2003-01-10", "1", status});
        h.addRow({"800", "2003-01-01"});
        h.open(Payment);
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
        QCOMPARE(h.columns("900", "TransStatus, TransDesc"),
                 locked ? status + "|null" : "1|changed");
        QCOMPARE(h.caption(), "Payment Voucher: 2 of 2");
        QVERIFY(h.enabled("txtOffsetAmount"));
    }

    void moveRefusalShowsBothMessages() {
        EntryDriver h;
        h.addRow({"901", "2003-01-12"});
        h.addRow({"900"});
        h.book.sql("UPDATE tblCashbook SET VendorID = NULL WHERE TransID = '901'");
        h.open(Payment);
        h.book.prompts.expect(Messages::moveRefused()).expect(payment.missingPartyMessage);
        h.navigate("navNext");
        QCOMPARE(h.caption(), "Payment Voucher: 1 of 2");
        QCOMPARE(h.focusName(), "txtVendorID");
        // Nothing was written by the refused move.
        QCOMPARE(h.columns("901", "VendorID"), "null");
    }

    void numbering_data() {
        columns<QString, int, QString>("script", "counter", "savedId");
        addRow("1001 accepted", "accept", 1002, "1001");
        addRow("refused and typed", "refuse type:555", 1001, "555");
        // An accepted offer lasts only for its own new row: Undo and a refused offer clear it, so
        // the row saved after them leaves the counter where it was.
        addRow("accepted, undone, another saved", "accept undo refuse type:556", 1001, "556");
        addRow("accepted then overtyped", "accept type:555", 1001, "555");
        // A number a saved row holds is never offered again.
        addRow("refused, offered number typed", "refuse type:1001", 1002, "1001");
    }

    void numbering() {
        auto [script, counter, savedId] =
            fetch<QString, int, QString>("script", "counter", "savedId");
        Opened h;
        for (const QString& step : script.split(' ')) {
            if (step == "accept" || step == "refuse") {
                h.add(step == "accept");
                QCOMPARE(h.text("txtTransID"), step == "accept" ? "1001" : QString());
                QCOMPARE(h.focusName(), "txtVendorID");
                QVERIFY(!h.enabled("cmdAdd") && !h.enabled("Adodc1"));
            } else if (step == "undo") {
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
        QVERIFY(!h.numberAccepted());
        QCOMPARE(h.caption(), "Payment Voucher: 1 of 1");
        QVERIFY(h.enabled("cmdAdd") && h.enabled("Adodc1"));
        // The next Add offers the counter's number as it now stands.
        h.add(false);
    }

    void receiptCounterUnreadable() {
        EntryDriver h;
        h.book.sql("UPDATE tblBankDetails SET NextReceipt = NULL");
        h.open(Receipt);
        h.book.prompts.expect(Messages::errorReport(94, "Invalid use of Null", receipt.windowName,
                                                    receipt.counterRoutine));
        h.click("cmdAdd");
        // No number is offered; it is typed.
        QVERIFY(h.adding());
        QVERIFY(h.text("txtTransID").isEmpty());
    }

    // The window reads the integrations, control accounts and tax accounts from the book; the
    // rule tests hold the order of the checks.
    void saveRefusedByTheBooksSettings() {
        Adding h;
        h.fill();
        const auto refused = [&h](const QString& field, const QString& value,
                                  const QString& message) {
            h.enter(field, value);
            h.book.prompts.expect(message);
            h.click("cmdSave");
            QCOMPARE(h.focusName(), field);
        };
        const QString account = "cboGLOffsetAccountCode",
                      integrate = "UPDATE tblAccpacSettings SET IntegrateWithAP = ?, "
                                  "IntegrateWithAR = ?";
        refused(account, "1000", Messages::bankAccountAsOffset());
        h.book.sql(integrate, {1, 0});
        refused(account, "2000", Messages::apControlAsOffset());
        h.book.sql(integrate, {0, 1});
        refused(account, "1200", Messages::arControlAsOffset());
        QCOMPARE(h.rows(), 0);
        // The AP control account is an offset like any other while only AR is integrated.
        h.enter(account, "2000");
        h.save();
        QCOMPARE(h.columns("1001", "OffsetGLAccountCode"), "2000");
        // Tax that posts to no account is refused: the entry would not balance in the ledger.
        h.book.sql("UPDATE tblTaxTable SET GLAccountCode = NULL WHERE TaxCode = 'G'");
        refused("cboGSTCode", "G", Messages::taxCodeWithoutAccount());
        QCOMPARE(h.columns("1001", "OffsetGSTTaxCode"), "null");
    }

    void deleteRepositions() {
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

    void find_data() {
        // typed: the second of the window's three rows
        // foreign: another window's row
        columns<Window, QString, QString, QString>("window", "typed", "noun", "foreign");
        addRow("payment", Payment, "902", "Payment Voucher", "R2");
        addRow("receipt", Receipt, "r2", "Receipt", "902");
        addRow("bank", Bank, "bc2", "BC/Int/Misc", "R2");
    }

    void find() {
        auto [window, typed, noun, foreign] =
            fetch<Window, QString, QString, QString>("window", "typed", "noun", "foreign");
        EntryDriver h;
        for (int i = 1; i <= 3; ++i) {
            const QString n = QString::number(i), date = "2003-01-1" + n;
            h.addRow({QString::number(900 + i), date, QString::number(2 - i % 2)});
            h.addRow({"R" + n, date, QString::number(4 - i % 2)});
            h.addRow({"BC" + n, date, QString::number(4 + i)});
        }
        h.open(window);
        const auto notFound = [&h](const QString& id) {
            h.book.prompts.expectMatch(" " + QRegularExpression::escape(id) + " was not found\\.$");
        };
        h.finds.push_back(typed);
        h.click("cmdFindByPV");
        QCOMPARE(h.text("txtTransID"), typed.toUpper());
        QCOMPARE(h.caption(), noun + ": 2 of 3");
        // Not found: the last row is shown.
        h.finds.push_back(foreign);
        notFound(foreign);
        h.click("cmdFindByPV");
        QCOMPARE(h.caption(), noun + ": 3 of 3");
        // Cancelled: nothing moves. A number with a quote is only a value.
        h.finds.push_back(QString());
        h.finds.push_back("9'0");
        h.click("cmdFindByPV");
        QCOMPARE(h.caption(), noun + ": 3 of 3");
        notFound("9'0");
        h.click("cmdFindByPV");
    }

    void failedSaveChangesNothing() {
        Adding h;
        h.fill();
        h.book.sql("CREATE TRIGGER failCounter BEFORE UPDATE ON tblBankDetails "
                   "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        h.book.prompts.expect(payment.saveQuestion, Answer::Yes)
            .expectMatch(
                QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: .*\r\nError "
                               "Description: .*disk full.*\r\nForm: %1\r\nRoutine: cmdSave$")
                    .arg(payment.windowName));
        h.click("cmdSave");
        QCOMPARE(h.rows(), 0);
        QCOMPARE(h.counters(), "1001/500");
        // The row is still being added, with its number still accepted; a later save succeeds.
        QVERIFY(h.adding());
        QVERIFY(h.numberAccepted());
        h.book.sql("DROP TRIGGER failCounter");
        h.save();
        QCOMPARE(h.counters(), "1002/500");
        QCOMPARE(h.rows(), 1);
    }

    void changedRowWritten_data() {
        // type: the rows' type, which a stranger type becomes
        // written: amounts and double entry
        columns<Window, QString, QString, QString, QString>("window", "type", "stranger", "amount",
                                                            "written");
        addRow("payment", Payment, "1", "7", "200",
               "2000000|140000|2140000|-2140000|2000000|140000");
        // Money received: the bank side positive, the offset and tax sides negative.
        addRow("receipt", Receipt, "3", "2", "200",
               "2000000|140000|2140000|2140000|-2000000|-140000");
        // A negative bank amount is money received, with no question; there is no tax side.
        addRow("bank", Bank, "5", "9", "-20", "-200000|null|-200000|200000|-200000|0");
    }

    void changedRowWritten() {
        auto [window, type, stranger, amount, written] =
            fetch<Window, QString, QString, QString, QString>("window", "type", "stranger",
                                                              "amount", "written");
        EntryDriver h;
        h.addRow({"X2", "2003-01-12", type});
        h.addRow({"X1", QVariant(), type});
        h.open(window);
        // Moving on from the keyboard with the cursor still in the amount: the field is left
        // first, so the row is written as Save writes it.
        h.type("txtOffsetAmount", amount);
        h.key(Qt::Key_PageDown, Qt::ControlModifier);
        QVERIFY(h.caption().endsWith(": 2 of 2"));
        QCOMPARE(h.columns("X2", kAmounts + ", BankAccountGLAccountCode"), written + "|1000");
        // A row only passed through is left as it is stored.
        h.focus("txtOffsetAmount");
        h.tab();
        h.navigate("navPrevious");
        QCOMPARE(h.columns("X1", "BankAccountGLAccountCode"), "null");
        // A changed row is written when the window closes: a missing date becomes today's, and a
        // stranger type (the field is filled only by its list) the window's first.
        h.navigate("navNext");
        h.type("txtTransDesc", "Corrected");
        h.get<QLineEdit>("txtTransType")->setText(stranger);
        h.click("cmdClose");
        QVERIFY(!h.window->isVisible());
        QCOMPARE(h.columns("X1", "TransDate, TransType, TransDesc"),
                 "2003-01-15|" + type + "|Corrected");
    }

    void closing_data() {
        columns<bool>("box");
        addRow("Close button", false);
        addRow("close box", true);
    }

    void closing() {
        const auto [box] = fetch<bool>("box");
        Adding h;
        auto close = [&h, box] {
            if (box)
                h.window->close();
            else
                h.click("cmdClose");
            EntryDriver::settle();
        };
        // An invalid new row: No keeps the window open and shows the failing check.
        h.book.prompts.expect(Messages::closeQuestion(), Answer::No)
            .expect(Messages::missingAmount());
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
        h.open(Payment);
        h.type("txtOffsetAmount", QString());
        h.book.prompts.expect(Messages::closeQuestion(), Answer::Yes);
        close();
        QVERIFY(!h.window->isVisible());
        QCOMPARE(h.columns("1001", "OffsetAmount"), "1000000");
    }

    // The book refuses a number another row holds; the refused Save leaves the window as it was.
    void duplicateNumberRefusedAtSave() {
        EntryDriver h;
        h.addRow({"R7", "2003-01-14", "3"});
        h.addRow({"900"});
        h.open(Payment);
        // A stored row edited into another's number.
        h.enter("txtTransID", "r7");
        h.book.prompts.expect(payment.saveQuestion, Answer::Yes)
            .expect(Messages::duplicateNumber());
        h.click("cmdSave");
        QCOMPARE(h.text("txtTransID"), "r7");
        QCOMPARE(h.focusName(), "txtTransID");
        // A new row stays a new row, with all that was typed.
        h.click("cmdUndo");
        h.add(false);
        h.enter("txtTransID", "950");
        h.fill();
        h.book.sql("INSERT INTO tblCashbook (TransID, TransType) VALUES ('950', '1')");
        h.book.prompts.expect(payment.saveQuestion, Answer::Yes)
            .expect(Messages::duplicateNumber());
        h.click("cmdSave");
        QVERIFY(h.adding());
        QCOMPARE(h.texts("txtTransID txtVendorName txtOffsetAmount"), "950|Acme Ltd|100");
        for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "cmdDelete"})
            QVERIFY2(!h.enabled(name), name);
        h.enter("txtTransID", "951");
        h.save();
        QCOMPARE(h.columns("951", "VendorName"), "Acme Ltd");
        QCOMPARE(h.rows(), 4);
    }

    void escapeUndoesThenCloses() {
        EntryDriver h;
        h.addRow({"900"});
        h.open(Payment);
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
        QVERIFY(!h.numberAccepted());
        // Nothing changed: Escape closes.
        h.key(Qt::Key_Escape);
        QVERIFY(!h.window->isVisible());
        QCOMPARE(h.rows(), 1);
        QCOMPARE(h.counters(), "1001/500");
    }

    void bankAmounts_data() {
        // stored: the amount, bank amount, offset and bank sides
        columns<QString, QString, QString, QString>("type", "amount", "stored", "shown");
        addRow("12.50", "5", "12.50", "125000|125000|125000|-125000", "$12.50");
        addRow("-3.10", "6", "-3.10", "-31000|-31000|-31000|31000", "($3.10)");
        // Below the cent: stored exactly, shown in cents.
        addRow("10.0555", "7", "10.0555", "100555|100555|100555|-100555", "$10.06");
    }

    void bankAmounts() {
        auto [type, amount, stored, shown] =
            fetch<QString, QString, QString, QString>("type", "amount", "stored", "shown");
        EntryDriver h;
        h.open(Bank);
        h.add();
        QTest::keyClicks(h.get("txtTransType"), type);
        h.fill(amount);
        h.save();
        // No party or tax code; no counter moves.
        QCOMPARE(h.columns("E1", "TransType, OffsetAmount, BankAccountAmount, DoubleEntryOffset, "
                                 "DoubleEntryBank, VendorID, CustID, OffsetGSTTaxCode, "
                                 "OffsetGLAccountCode, OffsetGLDeptCode"),
                 type + "|" + stored + "|null|null|null|6000|ADMIN");
        QCOMPARE(h.counters(), "1001/500");
        QCOMPARE(h.text("txtOffsetAmount"), shown);
    }

    void bankIdAlreadyUsed() {
        EntryDriver h;
        h.addRow({"1001", "2003-01-14"});
        h.addRow({"BC1", "2003-01-11", "6"});
        h.open(Bank);
        // On a stored row the type field has the focus, with its list shown; Tab visits the find
        // button beside the ID.
        QVERIFY(h.get("lstTransType")->isVisible());
        QCOMPARE(tabWalk(h, 8), QStringList({"txtTransType", "txtTransID", "cmdFindByPV",
                                             "DTPicker", "txtTransDesc", "txtOffsetAmount",
                                             "cboGLOffsetAccountCode", "cmdAdd"}));
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
    void bankAccountNotSet() {
        EntryDriver h;
        h.book.sql("UPDATE tblSystemSetup SET GLBankAccountCode = NULL");
        h.addRow({"BC2", "2003-01-12", "5"});
        h.addRow({"BC1", "2003-01-11", "5"});
        // Stored rows can still be looked through: the rule guards writing only.
        h.open(Bank);
        h.navigate("navNext");
        QCOMPARE(h.text("txtTransID"), "BC1");
        h.add();
        h.fill("12.50");
        h.book.prompts.expect(Messages::bankAccountNotSet());
        h.click("cmdSave");
        QCOMPARE(h.rows(), 2);
        QVERIFY(h.adding());
    }
};

QTEST_MAIN(TestEntryWindows)
#include "tst_entrywindows.moc"
