// The bank charges, interest and miscellaneous window driven as a user drives it: typing,
// Tab, the type list, the account chooser, buttons, navigator moves and scripted prompts.
#include "data/recordnavigator.h"
#include "entry/bankchargesinterestwindow.h"
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

const QString kSaveQuestion =
    QStringLiteral("The Transaction has passed validation. \r\n\r\nDo you wish to save?");
const QString kAmounts =
    QStringLiteral("OffsetAmount, BankAccountAmount, DoubleEntryOffset, DoubleEntryBank");

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
        click(QStringLiteral("cmdAdd"));
    }

    // A complete new entry: ID, amount, account picked from the chart.
    void fill(const QString& id, const QString& amount) {
        enter(QStringLiteral("txtTransID"), id);
        pickAccount(QStringLiteral("6000"), QStringLiteral("Bank Charges"));
        dropDown(QStringLiteral("cboGLOffsetAccountCode"));
        QCOMPARE(focusName(), QStringLiteral("txtOffsetAmount"));
        enter(QStringLiteral("txtOffsetAmount"), amount);
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
    void closingIncompleteNewRow_data();
    void closingIncompleteNewRow();
    void checkFillsDateAndType();
    void leavingChangedRowWritesIt();
    void find();
};

void TestBankChargesInterestWindow::emptyBook() {
    Harness h;
    h.addPayment(QStringLiteral("1001"));
    h.open();
    QCOMPARE(h.window->objectName(), QStringLiteral("frmBankChargesInterest"));
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 0"));
    QCOMPARE(h.focusName(), QStringLiteral("cmdAdd"));
    for (const char* name : kEntryFields)
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(h.book.launcher.helpTopics, QStringList{QStringLiteral("frmBankChargesInterest")});
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "cmdClose"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isEnabled(), name);
    h.book.prompts.expect(QStringLiteral("There is no record to save."))
        .expect(QStringLiteral("There are no records to delete."));
    emit h.get<QAbstractButton>(QStringLiteral("cmdSave"))->clicked();
    emit h.get<QAbstractButton>(QStringLiteral("cmdDelete"))->clicked();
    h.book.prompts.verifyAllShown();
    // Add with no counter to offer; Undo returns to the empty book.
    h.click(QStringLiteral("cmdAdd"));
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 1 of 1"));
    QCOMPARE(h.text(QStringLiteral("txtTransType")), QStringLiteral("5"));
    QVERIFY(h.text(QStringLiteral("txtTransID")).isEmpty());
    QCOMPARE(h.get<QDateEdit>(QStringLiteral("DTPicker"))->date(), QDate(2003, 1, 15));
    QCOMPARE(h.focusName(), QStringLiteral("txtTransType"));
    for (const char* name : {"cmdAdd", "cmdDelete", "cmdFindByPV", "Adodc1"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    h.click(QStringLiteral("cmdUndo"));
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 0"));
    QVERIFY(!h.get(QStringLiteral("txtOffsetAmount"))->isEnabled());
    QCOMPARE(h.focusName(), QStringLiteral("cmdAdd"));
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.rows(), 1);
}

void TestBankChargesInterestWindow::tabOrder() {
    Harness h;
    h.addEntry(QStringLiteral("BC1"), QStringLiteral("2003-01-10"));
    h.open();
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 1 of 1"));
    QCOMPARE(h.text(QStringLiteral("txtOffsetAmount")), QStringLiteral("$12.50"));
    QCOMPARE(h.text(QStringLiteral("txtReconciliationStatusMsg")), QStringLiteral("Outstanding"));
    // The type list shows while the type field, the first of the window, has the focus.
    auto* list = h.get<QListWidget>(QStringLiteral("lstTransType"));
    QCOMPARE(h.focusName(), QStringLiteral("txtTransType"));
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
    QTest::keyClicks(h.get(QStringLiteral("txtTransType")), typeKey);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), typeKey);
    h.fill(QStringLiteral("E1"), amount);
    h.type(QStringLiteral("txtTransDesc"), QStringLiteral("Statement entry"));
    h.save();
    h.book.prompts.verifyAllShown();
    const QString id = QStringLiteral("E1");
    QCOMPARE(h.columns(id, kAmounts), amounts);
    // No tax side, so the three double-entry columns sum to zero; no party or tax is written.
    QCOMPARE(h.columns(id, QStringLiteral("DoubleEntryGST, VendorID, CustID, OffsetGSTAmount, "
                                          "OffsetGSTTaxCode")),
             QStringLiteral("0|null|null|null|null"));
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
             QStringLiteral("1001/500"));
    // The saved row is shown, editable, with Add and Find back.
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 1 of 1"));
    QCOMPARE(h.text(QStringLiteral("txtOffsetAmount")), shown);
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1", "txtOffsetAmount"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isEnabled(), name);
}

void TestBankChargesInterestWindow::reconciledRowLocked() {
    Harness h;
    h.addEntry(QStringLiteral("BC2"), QStringLiteral("2003-01-12"), QStringLiteral("5"),
               QStringLiteral("2"));
    h.addEntry(QStringLiteral("BC1"), QStringLiteral("2003-01-11"));
    h.open();
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("BC2"));
    QCOMPARE(h.text(QStringLiteral("txtReconciliationStatusMsg")), QStringLiteral("Reconciled"));
    for (const char* name : kEntryFields)
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    for (const char* name : {"cmdAdd", "cmdFindByPV", "Adodc1"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isEnabled(), name);
    // Pressed anyway (through its signal), Delete refuses.
    h.book.prompts.expect(
        QStringLiteral("Cannot delete when Reconciliation Status\r\nis not Outstanding."));
    emit h.get<QAbstractButton>(QStringLiteral("cmdDelete"))->clicked();
    h.book.prompts.verifyAllShown();
    // Whatever its fields come to hold, leaving it never writes it.
    h.get<QLineEdit>(QStringLiteral("txtOffsetAmount"))->setText(QStringLiteral("99"));
    h.navigate("navNext");
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 2 of 2"));
    QCOMPARE(h.columns(QStringLiteral("BC2"), QStringLiteral("OffsetAmount, TransStatus")),
             QStringLiteral("125000|2"));
    QVERIFY(h.get(QStringLiteral("txtOffsetAmount"))->isEnabled());
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
    h.fill(QStringLiteral("E1"), QStringLiteral("12.50"));
    h.enter(QStringLiteral("cboGLOffsetAccountCode"), account);
    if (message.isEmpty()) {
        h.save();
        QCOMPARE(h.column(QStringLiteral("E1"), QStringLiteral("OffsetGLAccountCode")).toString(),
                 account);
    } else {
        h.book.prompts.expect(message);
        h.click(QStringLiteral("cmdSave"));
        QCOMPARE(h.focusName(), QStringLiteral("cboGLOffsetAccountCode"));
        QCOMPARE(h.rows(), 0);
    }
}

void TestBankChargesInterestWindow::idAlreadyUsed() {
    Harness h;
    h.addPayment(QStringLiteral("1001"));
    h.addEntry(QStringLiteral("BC2"), QStringLiteral("2003-01-12"));
    h.addEntry(QStringLiteral("BC1"), QStringLiteral("2003-01-11"));
    h.openAdding();
    // A payment voucher's number; then another entry's, in letters of another case.
    for (const char* id : {"1001", "bc1"}) {
        h.type(QStringLiteral("txtTransID"), QString::fromLatin1(id));
        h.book.prompts.expect(duplicate);
        h.tab();
        h.book.prompts.verifyAllShown();
        QVERIFY(h.text(QStringLiteral("txtTransID")).isEmpty());
        QCOMPARE(h.focusName(), QStringLiteral("txtTransID"));
    }
    // A stored row's ID is not tested at the field; the book refuses a taken one at Save.
    h.click(QStringLiteral("cmdUndo"));
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("BC2"));
    h.enter(QStringLiteral("txtTransID"), QStringLiteral("BC1"));
    h.book.prompts.verifyAllShown();
    h.book.prompts.expect(kSaveQuestion, Answer::Yes).expect(duplicate);
    h.click(QStringLiteral("cmdSave"));
    h.book.prompts.verifyAllShown();
    QVERIFY(h.text(QStringLiteral("txtTransID")).isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("txtTransID"));
    QCOMPARE(h.rows(), 3);
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
        h.type(QStringLiteral("txtTransID"), id);
    if (!amount.isEmpty())
        h.type(QStringLiteral("txtOffsetAmount"), amount);
    h.focus(QStringLiteral("txtTransDesc"));
    h.book.prompts.expect(closeQuestion, Answer::No).expect(message);
    h.click(QStringLiteral("cmdClose"));
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
    h.addEntry(QStringLiteral("BC1"), QVariant());
    h.open();
    h.type(QStringLiteral("txtTransDesc"), QStringLiteral("Fee"));
    // The type field is filled only by its list; a stranger value is put right by the check.
    h.get<QLineEdit>(QStringLiteral("txtTransType"))->setText(QStringLiteral("9"));
    h.save();
    h.book.prompts.verifyAllShown();
    // The date left empty is today's.
    QCOMPARE(h.columns(QStringLiteral("BC1"), QStringLiteral("TransDate, TransType")),
             QStringLiteral("2003-01-15|5"));
}

void TestBankChargesInterestWindow::leavingChangedRowWritesIt() {
    Harness h;
    h.addEntry(QStringLiteral("BC2"), QStringLiteral("2003-01-12"));
    h.addEntry(QStringLiteral("BC1"), QStringLiteral("2003-01-11"), QStringLiteral("6"));
    h.open();
    h.type(QStringLiteral("txtOffsetAmount"), QStringLiteral("-20"));
    h.navigate("navNext");
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 2 of 2"));
    // Written as Save writes it: the amount and both sides agree.
    QCOMPARE(
        h.columns(QStringLiteral("BC2"), kAmounts + QStringLiteral(", BankAccountGLAccountCode")),
        QStringLiteral("-200000|-200000|-200000|200000|1000"));
    // A row only passed through (the amount field entered and left) is not written.
    h.focus(QStringLiteral("txtOffsetAmount"));
    h.tab();
    h.navigate("navPrevious");
    QVERIFY(h.column(QStringLiteral("BC1"), QStringLiteral("BankAccountGLAccountCode")).isNull());
    // A changed row is written when the window closes.
    h.type(QStringLiteral("txtTransDesc"), QStringLiteral("Corrected"));
    h.click(QStringLiteral("cmdClose"));
    h.book.prompts.verifyAllShown();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.columns(QStringLiteral("BC2"), QStringLiteral("TransDesc, DoubleEntryBank")),
             QStringLiteral("Corrected|200000"));
}

void TestBankChargesInterestWindow::find() {
    Harness h;
    h.addEntry(QStringLiteral("BC3"), QStringLiteral("2003-01-13"));
    h.addEntry(QStringLiteral("BC2"), QStringLiteral("2003-01-12"), QStringLiteral("7"));
    h.addEntry(QStringLiteral("BC1"), QStringLiteral("2003-01-11"), QStringLiteral("6"));
    h.addPayment(QStringLiteral("1001"));
    h.open();
    h.finds.push_back(QStringLiteral("BC2"));
    h.click(QStringLiteral("cmdFindByPV"));
    QCOMPARE(h.findRequests.value(0),
             QStringLiteral("Type Bank Charge / Interest / Misc ID to find|SELECT TransID FROM "
                            "tblCashbook WHERE tblCashbook.TransType IN ('5','6','7')ORDER BY "
                            "TransID"));
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("BC2"));
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 2 of 3"));
    h.finds.push_back(QStringLiteral("1001"));
    h.book.prompts.expect(QStringLiteral("Bank Charge / Interest / Misc ID 1001 was not found."));
    h.click(QStringLiteral("cmdFindByPV"));
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 3 of 3"));
}

QTEST_MAIN(TestBankChargesInterestWindow)
#include "tst_bankchargesinterestwindow.moc"
