// The bank charges, interest and miscellaneous window driven as a user drives it: typing,
// Tab, the type list, the account chooser, buttons, navigator moves and scripted prompts.
#include "data/recordnavigator.h"
#include "entry/bankchargesinterestwindow.h"
#include "entrydriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSqlRecord>
#include <memory>

namespace {

using Answer = Prompts::Answer;

const QString kSaveQuestion =
    QStringLiteral("The Transaction has passed validation. \r\n\r\nDo you wish to save?");
const QString kDuplicate =
    QStringLiteral("That Transaction ID appears to already exist.\r\nTransaction IDs "
                   "must be unique.\r\n\r\nPlease enter a new one.");
const QString kCloseQuestion =
    QStringLiteral("The record has not passed validation.\r\n\r\nIf you close, your "
                   "changes will be abandoned.\r\n\r\nDo you wish to close?");

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

    // A complete new entry: ID, amount, account picked from the chart.
    void fill(const QString& id, const QString& amount) {
        type(QStringLiteral("txtTransID"), id);
        tab();
        pickAccount(QStringLiteral("6000"), QStringLiteral("Bank Charges"));
        dropDown(QStringLiteral("cboGLOffsetAccountCode"));
        QCOMPARE(focusName(), QStringLiteral("txtOffsetAmount"));
        type(QStringLiteral("txtOffsetAmount"), amount);
        tab();
    }
    void save() { saveAnswering(kSaveQuestion); }
    qint64 money(const QString& id, const char* name) {
        return column(id, QString::fromLatin1(name)).toLongLong();
    }

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
    void fieldsAndTabOrder();
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
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Bank Charges, Interest, Miscellaneous"));
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

void TestBankChargesInterestWindow::fieldsAndTabOrder() {
    Harness h;
    h.addEntry(QStringLiteral("BC1"), QStringLiteral("2003-01-10"));
    h.open();
    QCOMPARE(h.caption(), QStringLiteral("BC/Int/Misc: 1 of 1"));
    QCOMPARE(h.text(QStringLiteral("txtOffsetAmount")), QStringLiteral("$12.50"));
    QCOMPARE(h.text(QStringLiteral("txtReconciliationStatusMsg")), QStringLiteral("Outstanding"));
    for (const char* name :
         {"txtTransDate", "txtTotal", "txtReconciliationStatus", "txtDoubleEntryBank",
          "txtDoubleEntryOffset", "txtBankAccountGLAccountCode", "txtBankAccountGLDeptCode"})
        QVERIFY2(h.get(QString::fromLatin1(name))->isHidden(), name);
    for (const char* name :
         {"txtGLOffsetDeptCode", "txtGLOffsetAccountDesc", "txtReconciliationStatusMsg"})
        QVERIFY2(!h.get(QString::fromLatin1(name))->isEnabled(), name);
    QCOMPARE(h.get<QLineEdit>(QStringLiteral("txtTransDesc"))->maxLength(), 50);
    QCOMPARE(h.get<QAbstractButton>(QStringLiteral("cmdFindByPV"))->text(), QStringLiteral("&F"));
    auto* list = h.get<QListWidget>(QStringLiteral("lstTransType"));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("5. Bank Charge"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("6. Bank Interest"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("7. Miscellaneous"));
    // The list shows while the type field, the first of the window, has the focus.
    QCOMPARE(h.focusName(), QStringLiteral("txtTransType"));
    QVERIFY(list->isVisible());
    bool hint = false;
    for (QLabel* label : h.window->findChildren<QLabel*>())
        hint = hint ||
               label->text() == QLatin1String("Positive Number for Payment / Negative Number for "
                                              "Receipt");
    QVERIFY(hint);

    const QStringList order = {"txtTransType",
                               "txtTransID",
                               "cmdFindByPV",
                               "DTPicker",
                               "txtTransDesc",
                               "txtOffsetAmount",
                               "cboGLOffsetAccountCode",
                               "cmdAdd"};
    h.focus(order.first());
    QVERIFY(list->isVisible());
    for (int i = 1; i < order.size(); ++i) {
        // Tab walks through the date's day, month and year before it leaves the picker.
        const QString from = h.focusName();
        for (int step = 0; step < 4 && h.focusName() == from; ++step)
            h.tab();
        QCOMPARE(h.focusName(), order.at(i));
    }
    QVERIFY(!list->isVisible());
    h.book.prompts.verifyAllShown();
}

void TestBankChargesInterestWindow::amountsSaved_data() {
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<qint64>("offsetAmount");
    QTest::addColumn<qint64>("bankAccountAmount");
    QTest::addColumn<qint64>("doubleEntryOffset");
    QTest::addColumn<qint64>("doubleEntryBank");
    QTest::addColumn<QString>("shown");
    QTest::newRow("bank charge 12.50") << "5"
                                       << "12.50" << qint64(125000) << qint64(125000)
                                       << qint64(125000) << qint64(-125000) << "$12.50";
    // A negative amount is money received: no question about it.
    QTest::newRow("interest -3.10") << "6"
                                    << "-3.10" << qint64(-31000) << qint64(-31000) << qint64(-31000)
                                    << qint64(31000) << "($3.10)";
    QTest::newRow("miscellaneous below the cent") << "7"
                                                  << "10.0555" << qint64(100555) << qint64(100555)
                                                  << qint64(100555) << qint64(-100555) << "$10.06";
}

void TestBankChargesInterestWindow::amountsSaved() {
    QFETCH(QString, typeKey);
    QFETCH(QString, amount);
    QFETCH(qint64, offsetAmount);
    QFETCH(qint64, bankAccountAmount);
    QFETCH(qint64, doubleEntryOffset);
    QFETCH(qint64, doubleEntryBank);
    QFETCH(QString, shown);
    Harness h;
    h.open();
    h.click(QStringLiteral("cmdAdd"));
    QTest::keyClicks(h.get(QStringLiteral("txtTransType")), typeKey);
    QCOMPARE(h.text(QStringLiteral("txtTransType")), typeKey);
    h.fill(QStringLiteral("E1"), amount);
    h.type(QStringLiteral("txtTransDesc"), QStringLiteral("Statement entry"));
    h.save();
    h.book.prompts.verifyAllShown();

    QSqlQuery q = h.book.db.exec(QStringLiteral("SELECT * FROM tblCashbook"));
    QVERIFY(q.next());
    const QSqlRecord r = q.record();
    QCOMPARE(r.value("OffsetAmount").toLongLong(), offsetAmount);
    QCOMPARE(r.value("BankAccountAmount").toLongLong(), bankAccountAmount);
    QCOMPARE(r.value("DoubleEntryOffset").toLongLong(), doubleEntryOffset);
    QCOMPARE(r.value("DoubleEntryBank").toLongLong(), doubleEntryBank);
    // No tax side, so the three double-entry columns sum to zero.
    QVERIFY(!r.value("DoubleEntryGST").isNull());
    QCOMPARE(r.value("DoubleEntryGST").toLongLong(), qint64(0));
    QCOMPARE(r.value("TransType").toString(), typeKey);
    QCOMPARE(r.value("TransID").toString(), QStringLiteral("E1"));
    QCOMPARE(r.value("TransDate").toString(), QStringLiteral("2003-01-15"));
    QCOMPARE(r.value("TransDesc").toString(), QStringLiteral("Statement entry"));
    QCOMPARE(r.value("TransStatus").toString(), QStringLiteral("1"));
    QCOMPARE(r.value("OffsetGLAccountCode").toString(), QStringLiteral("6000"));
    QCOMPARE(r.value("OffsetGLDeptCode").toString(), QStringLiteral("ADMIN"));
    QCOMPARE(r.value("OffsetGLAccountDesc").toString(), QStringLiteral("Bank Charges"));
    QCOMPARE(r.value("BankAccountGLAccountCode").toString(), QStringLiteral("1000"));
    QCOMPARE(r.value("BankAccountGLDeptCode").toString(), QStringLiteral("ADMIN"));
    for (const char* column : {"VendorID", "CustID", "OffsetGSTAmount", "OffsetGSTTaxCode"})
        QVERIFY2(r.value(column).isNull(), column);
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
    QCOMPARE(h.money(QStringLiteral("BC2"), "OffsetAmount"), qint64(125000));
    QCOMPARE(h.column(QStringLiteral("BC2"), QStringLiteral("TransStatus")).toString(),
             QStringLiteral("2"));
    QVERIFY(h.get(QStringLiteral("txtOffsetAmount"))->isEnabled());
    h.book.prompts.verifyAllShown();
}

void TestBankChargesInterestWindow::controlAccounts_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<bool>("ap");
    QTest::addColumn<bool>("ar");
    QTest::addColumn<QString>("message");
    QTest::newRow("bank GL account")
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
}

void TestBankChargesInterestWindow::controlAccounts() {
    QFETCH(QString, account);
    QFETCH(bool, ap);
    QFETCH(bool, ar);
    QFETCH(QString, message);
    Harness h;
    h.book.sql(
        QStringLiteral("UPDATE tblAccpacSettings SET IntegrateWithAP = ?, IntegrateWithAR = ?"),
        {int(ap), int(ar)});
    h.open();
    h.click(QStringLiteral("cmdAdd"));
    h.fill(QStringLiteral("E1"), QStringLiteral("12.50"));
    h.type(QStringLiteral("cboGLOffsetAccountCode"), account);
    h.tab();
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
    h.book.prompts.verifyAllShown();
}

void TestBankChargesInterestWindow::idAlreadyUsed() {
    Harness h;
    h.addPayment(QStringLiteral("1001"));
    h.addEntry(QStringLiteral("BC2"), QStringLiteral("2003-01-12"));
    h.addEntry(QStringLiteral("BC1"), QStringLiteral("2003-01-11"));
    h.open();
    h.click(QStringLiteral("cmdAdd"));
    // A payment voucher's number; then another entry's, in letters of another case.
    h.type(QStringLiteral("txtTransID"), QStringLiteral("1001"));
    h.book.prompts.expect(kDuplicate);
    h.tab();
    h.book.prompts.verifyAllShown();
    QVERIFY(h.text(QStringLiteral("txtTransID")).isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("txtTransID"));
    h.type(QStringLiteral("txtTransID"), QStringLiteral("bc1"));
    h.book.prompts.expect(kDuplicate);
    h.tab();
    h.book.prompts.verifyAllShown();
    QCOMPARE(h.focusName(), QStringLiteral("txtTransID"));

    // A stored row's ID is not tested at the field; the book refuses a taken one at Save.
    h.click(QStringLiteral("cmdUndo"));
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("BC2"));
    h.type(QStringLiteral("txtTransID"), QStringLiteral("BC1"));
    h.tab();
    h.book.prompts.verifyAllShown();
    h.book.prompts.expect(kSaveQuestion, Answer::Yes).expect(kDuplicate);
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
    QTest::newRow("nothing entered") << ""
                                     << ""
                                     << "Must enter an amount."
                                     << "txtOffsetAmount";
    QTest::newRow("amount only") << ""
                                 << "12.50"
                                 << "Must enter a transaction ID."
                                 << "txtTransID";
    QTest::newRow("no account") << "E1"
                                << "12.50"
                                << "Must enter a GL Account Code."
                                << "cboGLOffsetAccountCode";
}

void TestBankChargesInterestWindow::closingIncompleteNewRow() {
    QFETCH(QString, id);
    QFETCH(QString, amount);
    QFETCH(QString, message);
    QFETCH(QString, field);
    Harness h;
    h.open();
    h.click(QStringLiteral("cmdAdd"));
    if (!id.isEmpty())
        h.type(QStringLiteral("txtTransID"), id);
    if (!amount.isEmpty())
        h.type(QStringLiteral("txtOffsetAmount"), amount);
    h.focus(QStringLiteral("txtTransDesc"));
    h.book.prompts.expect(kCloseQuestion, Answer::No).expect(message);
    h.click(QStringLiteral("cmdClose"));
    h.book.prompts.verifyAllShown();
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.focusName(), field);
    // The close box asks the same; Yes abandons the row.
    h.book.prompts.expect(kCloseQuestion, Answer::Yes);
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
    QCOMPARE(h.text(QStringLiteral("txtTransID")), QStringLiteral("BC1"));
    h.type(QStringLiteral("txtTransDesc"), QStringLiteral("Fee"));
    // The type field is filled only by its list; a stranger value is put right by the check.
    h.get<QLineEdit>(QStringLiteral("txtTransType"))->setText(QStringLiteral("9"));
    h.save();
    h.book.prompts.verifyAllShown();
    // The date left empty is today's.
    QCOMPARE(h.column(QStringLiteral("BC1"), QStringLiteral("TransDate")).toString(),
             QStringLiteral("2003-01-15"));
    QCOMPARE(h.column(QStringLiteral("BC1"), QStringLiteral("TransType")).toString(),
             QStringLiteral("5"));
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
    QCOMPARE(h.money(QStringLiteral("BC2"), "OffsetAmount"), qint64(-200000));
    QCOMPARE(h.money(QStringLiteral("BC2"), "BankAccountAmount"), qint64(-200000));
    QCOMPARE(h.money(QStringLiteral("BC2"), "DoubleEntryOffset"), qint64(-200000));
    QCOMPARE(h.money(QStringLiteral("BC2"), "DoubleEntryBank"), qint64(200000));
    QCOMPARE(h.column(QStringLiteral("BC2"), QStringLiteral("BankAccountGLAccountCode")).toString(),
             QStringLiteral("1000"));
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
    QCOMPARE(h.column(QStringLiteral("BC2"), QStringLiteral("TransDesc")).toString(),
             QStringLiteral("Corrected"));
    QCOMPARE(h.money(QStringLiteral("BC2"), "DoubleEntryBank"), qint64(200000));
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
