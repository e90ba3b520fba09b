#include "entrydriver.h"

#include "data/messages.h"
#include "entry/bankchargesinterestwindow.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "entry/voucherrules.h"
#include "kit/navigatorbar.h"
#include "support/windowdriving.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>

namespace {

// The next scripted answer; a chooser the test did not expect fails it.
template <typename T> std::optional<T> next(std::deque<T>& queue) {
    if (queue.empty()) {
        QTest::qFail("unexpected chooser", __FILE__, __LINE__);
        return std::nullopt;
    }
    T value = queue.front();
    queue.pop_front();
    return value;
}

// A chooser's choice: LookupValue<first> onwards.
void handBack(Services& s, int first, const QStringList& values) {
    for (int i = 0; i < values.size(); ++i)
        s.lookup.value(first + i) = values[i];
}

} // namespace

EntryDriver::EntryDriver() {
    book.sql("UPDATE tblSystemSetup SET GLBankAccountCode = '1000', BankAccountDept = 'ADMIN'");
    book.sql("UPDATE tblBankDetails SET NextCheque = 1001, NextReceipt = 500");
    book.sql("UPDATE tblAccpacSettings SET GLAPClearing = '2100', GLAPClearingDept = 'ADMIN', "
             "GLAPClearingDesc = 'AP Clearing', GLAPControl = '2000', GLARClearing = '1300', "
             "GLARClearingDept = 'SALES', GLARClearingDesc = 'AR Clearing', GLARControl = '1200'");
    book.sql("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) VALUES "
             "('1000', 'ADMIN', 'Bank'), ('1200', 'ADMIN', 'AR Control'), ('2000', 'ADMIN', 'AP "
             "Control'), ('2200', 'ADMIN', 'GST Paid'), ('4000', 'ADMIN', 'Sales'), ('5000', "
             "'ADMIN', 'Office Supplies'), ('6000', 'ADMIN', 'Bank Charges')");
    book.sql("INSERT INTO tblVendors VALUES ('V1', 'Acme Ltd', '1 Main St', 'Suite 2', "
             "'Springfield', 'State', '12345')");
    book.sql("INSERT INTO tblCustomers VALUES ('C1', 'Brown & Co', '9 High St', '', "
             "'Shelbyville', 'State', '54321')");
    book.sql("INSERT INTO tblTaxTable VALUES ('G', 'GST', 0.07, '2200', 'ADMIN', 'GST Paid'), "
             "('Z', 'Zero', 0, '2200', 'ADMIN', 'GST Paid')");
}

void EntryDriver::addRow(const StoredRow& r) {
    const int type = r.type.toInt();
    const bool receipt = type == 3 || type == 4, bank = type >= 5;
    const qint64 tax = bank ? 0 : r.tax, sign = receipt ? 1 : -1;
    const QVariant none;
    const auto taxed = [bank, &none](const QVariant& value) { return bank ? none : value; };
    const char* account = bank ? "6000" : receipt ? "4000" : "5000";
    book.sql("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, VendorID, "
             "CustID, OffsetGLAccountCode, OffsetAmount, OffsetGSTTaxCode, OffsetGSTTaxRate, "
             "OffsetGSTAmount, OffsetGSTGLAccountCode, BankAccountAmount, DoubleEntryBank, "
             "DoubleEntryOffset, DoubleEntryGST) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
             "?, ?, ?)",
             {r.id, r.date, r.type, r.status, receipt || bank ? none : "V1", receipt ? "C1" : none,
              account, r.base, taxed("G"), taxed(r.rate), taxed(tax), taxed("2200"), r.base + tax,
              sign * (r.base + tax), -sign * r.base, -sign * tax});
}

std::function<bool(Services&, QWidget*)>
EntryDriver::chooserFrom(std::deque<std::function<bool(Services&)>>& queue) {
    return [&queue](Services& s, QWidget*) {
        const auto pick = next(queue);
        return pick && (*pick)(s);
    };
}

void EntryDriver::open(const VoucherKind& voucherKind) {
    kind = &voucherKind;
    m_saveQuestion = voucherKind.saveQuestion;
    auto* voucherWindow = new PaymentVoucherWindow(book.services, voucherKind);
    window.reset(voucherWindow);
    voucherWindow->setPickers({chooserFrom(partyPicks), chooserFrom(accountPicks),
                               chooserFrom(taxPicks),
                               [this](auto&&...) { return next(finds).value_or(std::nullopt); }});
    show();
}

void EntryDriver::openBank() {
    kind = nullptr;
    // The bank entries window keeps its save question itself.
    m_saveQuestion = "The Transaction has passed validation. \r\n\r\nDo you wish to save?";
    window = std::make_unique<BankChargesInterestWindow>(book.services);
    window->setChoosers({chooserFrom(accountPicks),
                         [this](auto&&...) { return next(finds).value_or(std::nullopt); }});
    show();
}

void EntryDriver::show() {
    QVERIFY(showActive(window.get()));
}

PaymentVoucherWindow& EntryDriver::voucher() {
    return static_cast<PaymentVoucherWindow&>(*window);
}

void EntryDriver::add(bool accept) {
    if (kind) {
        const int number =
            book.value("SELECT " + kind->counterColumn + " FROM tblBankDetails").toInt();
        book.prompts.expect(VoucherRules::offerQuestion(*kind, number),
                            accept ? Answer::Yes : Answer::No);
    }
    click("cmdAdd");
}

void EntryDriver::fill(const QString& amount) {
    if (kind) {
        // The party's chooser hands back its one master record.
        QSqlQuery party = book.db.exec("SELECT * FROM " + kind->partyTable);
        QStringList values;
        party.next();
        for (int i = 0; i < 7; ++i)
            values << party.value(i).toString();
        partyPicks.push_back([values](Services& s) {
            handBack(s, 1, values);
            return true;
        });
        dropDown(kind->partyField);
        const bool vendor = kind->party == VoucherKind::Party::Vendor;
        chooseAccount(vendor ? "5000" : "4000", vendor ? "Office Supplies" : "Sales");
    } else {
        enter("txtTransID", "E1");
        chooseAccount("6000", "Bank Charges");
    }
    enter("txtOffsetAmount", amount);
}

void EntryDriver::save() {
    book.prompts.expect(m_saveQuestion, Answer::Yes).expect(Messages::saved());
    click("cmdSave");
}

void EntryDriver::chooseAccount(const QString& code, const QString& desc) {
    accountPicks.push_back([code, desc](Services& s) {
        handBack(s, 1, {code, "ADMIN", desc});
        return true;
    });
    dropDown("cboGLOffsetAccountCode");
}

void EntryDriver::chooseTax(const QString& code, const QString& shownRate) {
    taxPicks.push_back([code, shownRate](Services& s) {
        handBack(s, 4, {code, shownRate, "2200", "ADMIN"});
        return true;
    });
    dropDown("cboGSTCode");
}

QString EntryDriver::text(const QString& name) {
    if (auto* combo = window->findChild<QComboBox*>(name))
        return combo->currentText();
    return get<QLineEdit>(name)->text();
}

QString EntryDriver::texts(const QString& names) {
    QStringList values;
    for (const QString& name : names.split(' '))
        values << text(name);
    return values.join('|');
}

QString EntryDriver::caption() {
    return get<NavigatorBar>("Adodc1")->caption();
}

QString EntryDriver::focusName() {
    QWidget* w = QApplication::focusWidget();
    while (w && w->objectName().isEmpty())
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

void EntryDriver::focus(const QString& name) {
    get(name)->setFocus(Qt::MouseFocusReason);
    settle();
}

void EntryDriver::type(const QString& name, const QString& value) {
    focus(name);
    QTest::keyClick(get(name), Qt::Key_A, Qt::ControlModifier);
    if (value.isEmpty())
        QTest::keyClick(get(name), Qt::Key_Backspace);
    else
        QTest::keyClicks(get(name), value);
}

void EntryDriver::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    settle();
}

QStringList EntryDriver::tabWalk(const QString& first, int stops) {
    focus(first);
    QStringList seen{focusName()};
    while (seen.size() < stops) {
        // Tab walks through the date's day, month and year before it leaves the picker.
        for (int step = 0; step < 4 && focusName() == seen.last(); ++step)
            tab();
        seen << focusName();
    }
    return seen;
}

void EntryDriver::dropDown(const QString& name) {
    focus(name);
    key(Qt::Key_Down, Qt::AltModifier);
}

void EntryDriver::click(const QString& name) {
    QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton);
    settle();
}

void EntryDriver::navigate(const char* button) {
    QTest::mouseClick(get<NavigatorBar>("Adodc1")->findChild<QToolButton*>(button), Qt::LeftButton);
    settle();
}

void EntryDriver::settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QString EntryDriver::columns(const QString& id, const QString& names) {
    QSqlQuery q = book.db.exec("SELECT " + names + " FROM tblCashbook WHERE TransID = ?", {id});
    if (!q.next())
        return "no row";
    QStringList values;
    for (int i = 0; i < q.record().count(); ++i)
        values << (q.isNull(i) ? "null" : q.value(i).toString());
    return values.join('|');
}

QString EntryDriver::counters() {
    return book.value("SELECT NextCheque || '/' || NextReceipt FROM tblBankDetails").toString();
}

void EntryDriver::integrate(bool ap, bool ar) {
    book.sql("UPDATE tblAccpacSettings SET IntegrateWithAP = ?, IntegrateWithAR = ?",
             {int(ap), int(ar)});
}

int EntryDriver::rows() {
    return book.value("SELECT COUNT(*) FROM tblCashbook").toInt();
}
