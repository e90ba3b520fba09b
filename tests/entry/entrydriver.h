#pragma once

// Driving the cashbook entry windows as a user does: typing, Tab, drop-downs answered by
// scripted choosers, buttons and navigator moves, and reading back fields and stored rows.
#include "data/messages.h"
#include "data/recordnavigator.h"
#include "entry/bankchargesinterestwindow.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "entry/voucherrules.h"
#include "kit/navigatorbar.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QToolButton>
#include <deque>

enum Window { Payment, Receipt, Bank };
Q_DECLARE_METATYPE(Window)

// A stored row. Its type decides the rest: 1 and 2 are payments to vendor V1 against
// account 5000, 3 and 4 receipts from customer C1 against 4000, both with tax code G; 5 to
// 7 are bank entries against 6000 without tax. The double entry has the type's signs.
struct StoredRow {
    QString id;
    QVariant date = QStringLiteral("2003-01-10");
    QString type = QStringLiteral("1");
    QString status = QStringLiteral("1");
    qint64 base = 1000000;
    qint64 tax = 70000;
    double rate = 0.07;
};

class EntryDriver {
public:
    using Answer = Prompts::Answer;
    // A scripted chooser's answer: what it hands back, nothing when closed without a choice.
    template <typename Choice> using Picks = std::deque<std::function<std::optional<Choice>()>>;

    // A book with bank GL account 1000 (ADMIN), AP clearing 2100 and control 2000, AR
    // clearing 1300 (SALES) and control 1200, counters NextCheque 1001 and NextReceipt 500,
    // vendor V1, customer C1, tax codes G (7%) and Z (0%), and the accounts the rows use. At
    // its end every expected message box must have been shown.
    EntryDriver() {
        book.sql("UPDATE tblSystemSetup SET GLBankAccountCode = '1000', BankAccountDept = 'ADMIN'");
        book.sql("UPDATE tblBankDetails SET NextCheque = 1001, NextReceipt = 500");
        book.sql("UPDATE tblAccpacSettings SET GLAPClearing = '2100', GLAPClearingDept = 'ADMIN', "
                 "GLAPClearingDesc = 'AP Clearing', GLAPControl = '2000', GLARClearing = '1300', "
                 "GLARClearingDept = 'SALES', GLARClearingDesc = 'AR Clearing', "
                 "GLARControl = '1200'");
        book.sql("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) "
                 "VALUES ('1000', 'ADMIN', 'Bank'), ('1200', 'ADMIN', 'AR Control'), ('2000', "
                 "'ADMIN', 'AP Control'), ('2200', 'ADMIN', 'GST Paid'), ('4000', 'ADMIN', "
                 "'Sales'), ('5000', 'ADMIN', 'Office Supplies'), ('6000', 'ADMIN', 'Bank "
                 "Charges')");
        book.sql("INSERT INTO tblVendors VALUES ('V1', 'Acme Ltd', '1 Main St', 'Suite 2', "
                 "'Springfield', 'State', '12345')");
        book.sql("INSERT INTO tblCustomers VALUES ('C1', 'Brown & Co', '9 High St', '', "
                 "'Shelbyville', 'State', '54321')");
        book.sql("INSERT INTO tblTaxTable VALUES ('G', 'GST', 0.07, '2200', 'ADMIN', 'GST Paid'), "
                 "('Z', 'Zero', 0, '2200', 'ADMIN', 'GST Paid')");
    }
    ~EntryDriver() { book.prompts.verifyAllShown(); }

    void addRow(const StoredRow& r) {
        const int type = r.type.toInt();
        const bool receipt = type == 3 || type == 4, bank = type >= 5;
        const qint64 tax = bank ? 0 : r.tax, sign = receipt ? 1 : -1;
        const QVariant none;
        const auto taxed = [bank, &none](const QVariant& value) { return bank ? none : value; };
        book.sql("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, VendorID, "
                 "CustID, OffsetGLAccountCode, OffsetAmount, OffsetGSTTaxCode, "
                 "OffsetGSTTaxRate, OffsetGSTAmount, OffsetGSTGLAccountCode, BankAccountAmount, "
                 "DoubleEntryBank, DoubleEntryOffset, DoubleEntryGST) VALUES (?, ?, ?, ?, ?, ?, "
                 "?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {r.id, r.date, r.type, r.status, receipt || bank ? none : "V1",
                  receipt ? "C1" : none,
                  bank      ? "6000"
                  : receipt ? "4000"
                            : "5000",
                  r.base, taxed("G"), taxed(r.rate), taxed(tax), taxed("2200"), r.base + tax,
                  sign * (r.base + tax), -sign * r.base, -sign * tax});
    }

    // Opens the window with scripted choosers and waits until it is active.
    void open(Window which) {
        const auto chooser = [](auto& queue) {
            return [&queue](Services&, QWidget*) {
                const auto pick = next(queue);
                return pick ? pick() : std::nullopt;
            };
        };
        const auto find = [this](auto&&...) {
            const QString id = next(finds);
            return id.isNull() ? std::nullopt : std::optional(id);
        };
        kind = which == Bank      ? nullptr
               : which == Payment ? &VoucherKind::payment()
                                  : &VoucherKind::receipt();
        if (kind) {
            auto* voucher = new PaymentVoucherWindow(book.services, *kind);
            window.reset(voucher);
            voucher->setPickers(
                {chooser(partyPicks), chooser(accountPicks), chooser(taxPicks), find});
        } else {
            window = std::make_unique<BankChargesInterestWindow>(book.services);
            window->setChoosers({chooser(accountPicks), find});
        }
        QVERIFY(showActive(window.get()));
    }
    // Add. A voucher window offers its counter's number, answered Yes or No.
    void add(bool accept = true) {
        if (kind)
            book.prompts.expect(
                VoucherRules::offerQuestion(
                    *kind,
                    book.value("SELECT " + kind->counterColumn + " FROM tblBankDetails").toInt()),
                accept ? Answer::Yes : Answer::No);
        click("cmdAdd");
    }
    // A valid new row: the party picked (vouchers), the ID typed (bank entries, which offer
    // none), the account picked and the amount entered.
    void fill(const QString& amount = QStringLiteral("100")) {
        AccountChoice account{"6000", "ADMIN", "Bank Charges"};
        if (kind) {
            QSqlQuery party = book.db.exec("SELECT * FROM " + kind->partyTable);
            party.next();
            const auto v = [&party](int i) { return party.value(i).toString(); };
            pick(partyPicks, kind->partyField,
                 PartyChoice{v(0), v(1), {v(2), v(3), v(4), v(5)}, v(6)});
            account = kind->party == VoucherKind::Party::Vendor
                          ? AccountChoice{"5000", "ADMIN", "Office Supplies"}
                          : AccountChoice{"4000", "ADMIN", "Sales"};
        } else {
            enter("txtTransID", "E1");
        }
        pick(accountPicks, "cboGLOffsetAccountCode", account);
        enter("txtOffsetAmount", amount);
    }
    // Save, answering Yes to the window's question; the window then says "Saved.".
    void save() {
        if (kind)
            book.prompts.expect(kind->saveQuestion, Answer::Yes);
        else
            book.prompts.expectMatch("^The Transaction has passed validation\\.", Answer::Yes);
        book.prompts.expect(Messages::saved());
        click("cmdSave");
    }
    // Opens a field's drop-down; its scripted chooser hands back the choice, as the chooser's
    // window would.
    template <typename Choice>
    void pick(Picks<Choice>& queue, const QString& field, const Choice& choice) {
        queue.push_back([choice] { return std::optional(choice); });
        dropDown(field);
    }
    void chooseTax(const QString& code, const QString& shownRate) {
        pick(taxPicks, "cboGSTCode", TaxChoice{code, shownRate, "2200", "ADMIN"});
    }

    template <typename T = QWidget> T* get(const QString& name) {
        return child<T>(window.get(), name);
    }
    QString text(const QString& name) { return textOf(window.get(), name); }
    // The fields' texts (names separated by spaces) joined by "|".
    QString texts(const QString& names) {
        QStringList values;
        for (const QString& name : names.split(' '))
            values << text(name);
        return values.join('|');
    }
    QString caption() { return get<NavigatorBar>("Adodc1")->caption(); }
    QString focusName() {
        QWidget* w = QApplication::focusWidget();
        while (w && w->objectName().isEmpty())
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    bool enabled(const char* name) { return get(QString::fromLatin1(name))->isEnabled(); }
    bool adding() { return window->navigator().isAdding(); }
    bool numberAccepted() {
        return static_cast<PaymentVoucherWindow&>(*window).nextNumberAccepted();
    }

    void focus(const QString& name) {
        get(name)->setFocus(Qt::MouseFocusReason);
        settle();
    }
    // Types into a field as a user does: focus, select what is there, type.
    void type(const QString& name, const QString& value) {
        focus(name);
        QTest::keyClick(get(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(get(name), Qt::Key_Backspace);
        QTest::keyClicks(get(name), value);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        settle();
    }
    void tab() { key(Qt::Key_Tab); }
    // Types into a field and leaves it with Tab.
    void enter(const QString& name, const QString& value) {
        type(name, value);
        tab();
    }
    void dropDown(const QString& name) {
        focus(name);
        key(Qt::Key_Down, Qt::AltModifier);
    }
    void click(const QString& name) {
        QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton);
        settle();
    }
    void navigate(const char* button) {
        QTest::mouseClick(get<NavigatorBar>("Adodc1")->findChild<QToolButton*>(button),
                          Qt::LeftButton);
        settle();
    }
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // The stored row's columns (comma-separated names) joined by "|", a null shown as "null".
    QString columns(const QString& id, const QString& names) {
        QSqlQuery q = book.db.exec("SELECT " + names + " FROM tblCashbook WHERE TransID = ?", {id});
        if (!q.next())
            return "no row";
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            values << (q.isNull(i) ? "null" : q.value(i).toString());
        return values.join('|');
    }
    // NextCheque and NextReceipt, "1001/500".
    QString counters() {
        return book.value("SELECT NextCheque || '/' || NextReceipt FROM tblBankDetails").toString();
    }
    int rows() { return book.value("SELECT COUNT(*) FROM tblCashbook").toInt(); }

    TestBook book;
    std::unique_ptr<CashbookEntryWindow> window;
    const VoucherKind* kind = nullptr; // none for the bank entries window
    Picks<PartyChoice> partyPicks;
    Picks<AccountChoice> accountPicks;
    Picks<TaxChoice> taxPicks;
    std::deque<QString> finds; // a null text cancels the find

private:
    // The next scripted answer; a chooser the test did not expect fails it, and gets none.
    template <typename T> static T next(std::deque<T>& queue) {
        if (queue.empty()) {
            QTest::qFail("unexpected chooser", __FILE__, __LINE__);
            return T();
        }
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};
