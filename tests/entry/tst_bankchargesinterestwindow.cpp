// The bank charges, interest and miscellaneous window driven as a user drives it: typing,
// Tab, the type list, the account chooser, buttons, navigator moves and scripted prompts.
#include "data/recordnavigator.h"
#include "entry/bankchargesinterestwindow.h"
#include "data/messages.h"
#include "entrydriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <memory>

namespace {

using Answer = Prompts::Answer;
using namespace EntryTexts;

const QString kSaveQuestion = "The Transaction has passed validation. \r\n\r\nDo you wish to save?";
const QString kAmounts = "OffsetAmount, BankAccountAmount, DoubleEntryOffset, DoubleEntryBank";

class Harness : public EntryDriver {
public:
    // A stored bank charge of 12.50 against account 6000.
    void addEntry(const QString& id, const QVariant& date, const QString& type = "5",
                  const QString& status = "1") {
        book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, "
                                "TransStatus, OffsetGLAccountCode, OffsetAmount, "
                                "BankAccountAmount, DoubleEntryOffset, DoubleEntryBank, "
                                "DoubleEntryGST) VALUES (?, ?, ?, ?, '6000', 125000, 125000, "
                                "125000, -125000, 0)"),
                 {id, date, type, status});
    }
    void addPayment(const QString& id) {
        book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, "
                                "TransStatus, VendorID) VALUES (?, '2003-01-14', '1', '1', 'V1')"),
                 {id});
    }

    void open() {
        window = std::make_unique<BankChargesInterestWindow>(book.services);
        window->setChoosers(choosers());
        show(window.get());
    }

    void openAdding() {
        open();
        click("cmdAdd");
    }

    // A complete new entry: ID, amount, account picked from the chart.
    void fill(const QString& id, const QString& amount) {
        enter("txtTransID", id);
        pickAccount("6000", "Bank Charges");
        dropDown("cboGLOffsetAccountCode");
        QCOMPARE(focusName(), "txtOffsetAmount");
        enter("txtOffsetAmount", amount);
    }
    void save() { saveAnswering(kSaveQuestion); }

    std::unique_ptr<BankChargesInterestWindow> window;
};

const char* const kEntryFields[] = {"txtTransType", "txtTransID",      "DTPicker",
                                    "txtTransDesc", "txtOffsetAmount", "cboGLOffsetAccountCode",
                                    "cmdDelete",    "cmdUndo",         "cmdSave"};

} // namespace

class TestBankChargesInterestWindow : public QObject {
    Q_OBJECT

private slots:
    void emptyBook();
    void tabOrder();
    void amountsSaved_data();
    void amountsSaved();
    void reconciledRowLocked();
    void controlAccounts_data();
    void controlAccounts();
    void idAlreadyUsed();
    void bankAccountNotSet();
    void closingIncompleteNewRow_data();
    void closingIncompleteNewRow();
    void checkFillsDateAndType();
    void leavingChangedRowWritesIt();
    void find();
};

void TestBankChargesInterestWindow::emptyBook() {
    Harness h;
    h.addPayment("1001");
    h.open();
    QCOMPARE(h.window->objectName(), "frmBankChargesInterest");
    QCOMPARE(h.caption(), "BC/Int/Misc: 0");
    QCOMPARE(h.focusName(), "cmdAdd");
    for (const char* name : kEntryFields)
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(h.book.launcher.helpTopics, QStringList{"frmBankChargesInterest"});
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "cmdClose"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isEnabled(), name);
    h.book.prompts.expect("There is no record to save.").expect("There are no records to delete.");
    emit h.get<QAbstractButton>("cmdSave")->clicked();
    emit h.get<QAbstractButton>("cmdDelete")->clicked();
    h.book.prompts.verifyAllShown();
    // Add with no counter to offer; Undo returns to the empty book.
    h.click("cmdAdd");
    QCOMPARE(h.caption(), "BC/Int/Misc: 1 of 1");
    QCOMPARE(h.text("txtTransType"), "5");
    QVERIFY(h.text("txtTransID").isEmpty());
    QCOMPARE(h.get<QDateEdit>("DTPicker")->date(), QDate(2003, 1, 15));
    QCOMPARE(h.focusName(), "txtTransType");
    for (const char* name : {"cmdAdd", "cmdDelete", "cmdFindByPV", "Adodc1"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    h.click("cmdUndo");
    QCOMPARE(h.caption(), "BC/Int/Misc: 0");
    QVERIFY(!h.get("txtOffsetAmount")->isEnabled());
    QCOMPARE(h.focusName(), "cmdAdd");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.rows(), 1);
}

void TestBankChargesInterestWindow::tabOrder() {
    Harness h;
    h.addEntry("BC1", "2003-01-10");
    h.open();
    QCOMPARE(h.caption(), "BC/Int/Misc: 1 of 1");
    QCOMPARE(h.text("txtOffsetAmount"), "$12.50");
    QCOMPARE(h.text("txtReconciliationStatusMsg"), "Outstanding");
    // The type list shows while the type field, the first of the window, has the focus.
    auto* list = h.get<QListWidget>("lstTransType");
    QCOMPARE(h.focusName(), "txtTransType");
    QVERIFY(list->isVisible());
    const QStringList order = QStringLiteral("txtTransType txtTransID cmdFindByPV DTPicker "
                                             "txtTransDesc txtOffsetAmount cboGLOffsetAccountCode "
                                             "cmdAdd")
                                  .split(QLatin1Char(' '));
    QCOMPARE(h.tabWalk(order.first(), order.size()), order);
    QVERIFY(!list->isVisible());
}

void TestBankChargesInterestWindow::amountsSaved_data() {
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("amounts");
    QTest::addColumn<QString>("shown");
    QTest::newRow("bank charge 12.50")
        << "5" << QString("12.50") << "125000|125000|125000|-125000" << QString("$12.50");
    // A negative amount is money received: no question about it.
    QTest::newRow("interest -3.10")
        << "6" << QString("-3.10") << "-31000|-31000|-31000|31000" << QString("($3.10)");
    QTest::newRow("miscellaneous below the cent")
        << "7" << QString("10.0555") << "100555|100555|100555|-100555" << QString("$10.06");
}

void TestBankChargesInterestWindow::amountsSaved() {
    QFETCH(QString, typeKey);
    QFETCH(QString, amount);
    QFETCH(QString, amounts);
    QFETCH(QString, shown);
    Harness h;
    h.openAdding();
    QTest::keyClicks(h.get("txtTransType"), typeKey);
    QCOMPARE(h.text("txtTransType"), typeKey);
    h.fill("E1", amount);
    h.type("txtTransDesc", "Statement entry");
    h.save();
    h.book.prompts.verifyAllShown();
    const QString id = "E1";
    QCOMPARE(h.columns(id, kAmounts), amounts);
    // No tax side, so the three double-entry columns sum to zero; no party or tax is written.
    QCOMPARE(h.columns(id, QStringLiteral("DoubleEntryGST, VendorID, CustID, OffsetGSTAmount, "
                                          "OffsetGSTTaxCode")),
             "0|null|null|null|null");
    QCOMPARE(h.columns(id, QStringLiteral("TransType, TransDate, TransDesc, TransStatus, "
                                          "OffsetGLAccountCode, OffsetGLDeptCode, "
                                          "OffsetGLAccountDesc, BankAccountGLAccountCode, "
                                          "BankAccountGLDeptCode")),
             typeKey + QStringLiteral("|2003-01-15|Statement entry|1|6000|ADMIN|Bank "
                                      "Charges|1000|ADMIN"));
    // No counter moves for a bank entry.
    QCOMPARE(h.book
                 .value(QStringLiteral("SELECT NextCheque || '/' || NextReceipt FROM "
                                       "tblBankDetails"))
                 .toString(),
             "1001/500");
    // The saved row is shown, editable, with Add and Find back.
    QCOMPARE(h.caption(), "BC/Int/Misc: 1 of 1");
    QCOMPARE(h.text("txtOffsetAmount"), shown);
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "txtOffsetAmount"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isEnabled(), name);
}

void TestBankChargesInterestWindow::reconciledRowLocked() {
    Harness h;
    h.addEntry("BC2", "2003-01-12", "5", "2");
    h.addEntry("BC1", "2003-01-11");
    h.open();
    QCOMPARE(h.text("txtTransID"), "BC2");
    QCOMPARE(h.text("txtReconciliationStatusMsg"), "Reconciled");
    for (const char* name : kEntryFields)
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isEnabled(), name);
    // Pressed anyway (through its signal), Delete refuses.
    h.book.prompts.expect("Cannot delete when Reconciliation Status\r\nis not Outstanding.");
    emit h.get<QAbstractButton>("cmdDelete")->clicked();
    h.book.prompts.verifyAllShown();
    // Whatever its fields come to hold, leaving it never writes it.
    h.get<QLineEdit>("txtOffsetAmount")->setText("99");
    h.navigate("navNext");
    QCOMPARE(h.caption(), "BC/Int/Misc: 2 of 2");
    QCOMPARE(h.columns("BC2", "OffsetAmount, TransStatus"), "125000|2");
    QVERIFY(h.get("txtOffsetAmount")->isEnabled());
}

void TestBankChargesInterestWindow::controlAccounts_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<bool>("ap");
    QTest::addColumn<bool>("ar");
    QTest::addColumn<QString>("message");
    QTest::newRow("bank GL account") << "1000" << false << false << bankAccount;
    QTest::newRow("AP control, AP on") << "2000" << true << false << apControl;
    QTest::newRow("AP control, AP off") << "2000" << false << true << QString();
    QTest::newRow("AR control, AR on") << "1200" << false << true << arControl;
}

void TestBankChargesInterestWindow::controlAccounts() {
    QFETCH(QString, account);
    QFETCH(bool, ap);
    QFETCH(bool, ar);
    QFETCH(QString, message);
    Harness h;
    h.integrate(ap, ar);
    h.openAdding();
    h.fill("E1", "12.50");
    h.enter("cboGLOffsetAccountCode", account);
    if (message.isEmpty()) {
        h.save();
        QCOMPARE(h.column("E1", "OffsetGLAccountCode").toString(), account);
    } else {
        h.book.prompts.expect(message);
        h.click("cmdSave");
        QCOMPARE(h.focusName(), "cboGLOffsetAccountCode");
        QCOMPARE(h.rows(), 0);
    }
}

void TestBankChargesInterestWindow::idAlreadyUsed() {
    Harness h;
    h.addPayment("1001");
    h.addEntry("BC2", "2003-01-12");
    h.addEntry("BC1", "2003-01-11");
    h.openAdding();
    // A payment voucher's number; then another entry's, in letters of another case.
    for (const char* id : {"1001", "bc1"}) {
        h.type("txtTransID", QString::fromLatin1(id));
        h.book.prompts.expect(duplicate);
        h.tab();
        h.book.prompts.verifyAllShown();
        QVERIFY(h.text("txtTransID").isEmpty());
        QCOMPARE(h.focusName(), "txtTransID");
    }
    // A stored row's ID is not tested at the field; the book refuses a taken one at Save.
    h.click("cmdUndo");
    QCOMPARE(h.text("txtTransID"), "BC2");
    h.enter("txtTransID", "BC1");
    h.book.prompts.verifyAllShown();
    h.book.prompts.expect(kSaveQuestion, Answer::Yes).expect(duplicate);
    h.click("cmdSave");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.text("txtTransID"), "BC1");
    QCOMPARE(h.focusName(), "txtTransID");
    QCOMPARE(h.rows(), 3);
}

// Without the bank's own GL account no entry is saved: its bank side would post nowhere.
void TestBankChargesInterestWindow::bankAccountNotSet() {
    Harness h;
    h.book.sql("UPDATE tblSystemSetup SET GLBankAccountCode = NULL");
    h.addEntry("BC2", "2003-01-12");
    h.addEntry("BC1", "2003-01-11");
    // Stored rows can still be looked through: the rule guards writing only.
    h.open();
    h.navigate("navNext");
    QCOMPARE(h.text("txtTransID"), "BC1");
    h.click("cmdAdd");
    h.fill("E1", "12.50");
    h.book.prompts.expect(Messages::bankAccountNotSet());
    h.click("cmdSave");
    QCOMPARE(h.rows(), 2);
    QVERIFY(h.window->navigator().isAdding());
}

void TestBankChargesInterestWindow::closingIncompleteNewRow_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");
    QTest::newRow("nothing entered")
        << QString() << QString() << "Must enter an amount." << QString("txtOffsetAmount");
    QTest::newRow("amount only") << QString() << QString("12.50") << "Must enter a transaction ID."
                                 << QString("txtTransID");
    QTest::newRow("no account") << "E1" << QString("12.50") << "Must enter a GL Account Code."
                                << QString("cboGLOffsetAccountCode");
}

void TestBankChargesInterestWindow::closingIncompleteNewRow() {
    QFETCH(QString, id);
    QFETCH(QString, amount);
    QFETCH(QString, message);
    QFETCH(QString, field);
    Harness h;
    h.openAdding();
    if (!id.isEmpty())
        h.type("txtTransID", id);
    if (!amount.isEmpty())
        h.type("txtOffsetAmount", amount);
    h.focus("txtTransDesc");
    h.book.prompts.expect(closeQuestion, Answer::No).expect(message);
    h.click("cmdClose");
    h.book.prompts.verifyAllShown();
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.focusName(), field);
    // The close box asks the same; Yes abandons the row.
    h.book.prompts.expect(closeQuestion, Answer::Yes);
    h.window->close();
    Harness::settle();
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.rows(), 0);
}

void TestBankChargesInterestWindow::checkFillsDateAndType() {
    Harness h;
    h.addEntry("BC1", QVariant());
    h.open();
    h.type("txtTransDesc", "Fee");
    // The type field is filled only by its list; a stranger value is put right by the check.
    h.get<QLineEdit>("txtTransType")->setText("9");
    h.save();
    h.book.prompts.verifyAllShown();
    // The date left empty is today's.
    QCOMPARE(h.columns("BC1", "TransDate, TransType"), "2003-01-15|5");
}

void TestBankChargesInterestWindow::leavingChangedRowWritesIt() {
    Harness h;
    h.addEntry("BC2", "2003-01-12");
    h.addEntry("BC1", "2003-01-11", "6");
    h.open();
    h.type("txtOffsetAmount", "-20");
    h.navigate("navNext");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), "BC/Int/Misc: 2 of 2");
    // Written as Save writes it: the amount and both sides agree.
    QCOMPARE(h.columns("BC2", kAmounts + ", BankAccountGLAccountCode"),
             "-200000|-200000|-200000|200000|1000");
    // A row only passed through (the amount field entered and left) is not written.
    h.focus("txtOffsetAmount");
    h.tab();
    h.navigate("navPrevious");
    QVERIFY(h.column("BC1", "BankAccountGLAccountCode").isNull());
    // A changed row is written when the window closes.
    h.type("txtTransDesc", "Corrected");
    h.click("cmdClose");
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.columns("BC2", "TransDesc, DoubleEntryBank"), "Corrected|200000");
}

void TestBankChargesInterestWindow::find() {
    Harness h;
    h.addEntry("BC3", "2003-01-13");
    h.addEntry("BC2", "2003-01-12", "7");
    h.addEntry("BC1", "2003-01-11", "6");
    h.addPayment("1001");
    h.open();
    h.finds.push_back("BC2");
    h.click("cmdFindByPV");
    QCOMPARE(h.findRequests.value(0),
             QStringLiteral("Type Bank Charge / Interest / Misc ID to find|SELECT TransID FROM "
                            "tblCashbook WHERE tblCashbook.TransType IN ('5','6','7')ORDER BY "
                            "TransID"));
    QCOMPARE(h.text("txtTransID"), "BC2");
    QCOMPARE(h.caption(), "BC/Int/Misc: 2 of 3");
    h.finds.push_back("1001");
    h.book.prompts.expect("Bank Charge / Interest / Misc ID 1001 was not found.");
    h.click("cmdFindByPV");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), "BC/Int/Misc: 3 of 3");
}

QTEST_MAIN(TestBankChargesInterestWindow)
#include "tst_bankchargesinterestwindow.moc"
