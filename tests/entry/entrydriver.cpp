#include "entrydriver.h"

#include "entry/bankchargesinterestwindow.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "entry/voucherrules.h"
#include "data/messages.h"
#include "shell/navigatorbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>

EntryDriver::EntryDriver() {
    book.sql(QStringLiteral(
        "UPDATE tblSystemSetup SET GLBankAccountCode = '1000', BankAccountDept = 'ADMIN'"));
    book.sql(QStringLiteral("UPDATE tblBankDetails SET NextCheque = 1001, NextReceipt = 500"));
    book.sql(QStringLiteral(
        "UPDATE tblAccpacSettings SET GLAPClearing = '2100', GLAPClearingDept = 'ADMIN', "
        "GLAPClearingDesc = 'AP Clearing', GLAPControl = '2000', GLARClearing = '1300', "
        "GLARClearingDept = 'SALES', GLARClearingDesc = 'AR Clearing', GLARControl = '1200'"));
    book.sql(QStringLiteral(
        "INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) VALUES "
        "('1000', 'ADMIN', 'Bank'), ('1200', 'ADMIN', 'AR Control'), ('2000', 'ADMIN', 'AP "
        "Control'), ('2200', 'ADMIN', 'GST Paid'), ('4000', 'ADMIN', 'Sales'), ('5000', "
        "'ADMIN', 'Office Supplies'), ('6000', 'ADMIN', 'Bank Charges')"));
    book.sql(QStringLiteral("INSERT INTO tblVendors VALUES ('V1', 'Acme Ltd', '1 Main St', "
                            "'Suite 2', 'Springfield', 'State', '12345')"));
    book.sql(QStringLiteral("INSERT INTO tblCustomers VALUES ('C1', 'Brown & Co', '9 High St', "
                            "'', 'Shelbyville', 'State', '54321')"));
    book.sql(QStringLiteral(
        "INSERT INTO tblTaxTable VALUES ('G', 'GST', 0.07, '2200', 'ADMIN', 'GST Paid'), "
        "('Z', 'Zero', 0, '2200', 'ADMIN', 'GST Paid')"));
}

EntryDriver::~EntryDriver() {
    book.prompts.verifyAllShown();
}

void EntryDriver::addRow(const StoredRow& r) {
    const int type = r.type.toInt();
    const bool receipt = type == 3 || type == 4, bank = type >= 5;
    const qint64 tax = bank ? 0 : r.tax, sign = receipt ? 1 : -1;
    const QVariant none;
    const auto taxed = [bank, &none](const QVariant& value) { return bank ? none : value; };
    book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, "
                            "VendorID, CustID, OffsetGLAccountCode, OffsetAmount, "
                            "OffsetGSTTaxCode, OffsetGSTTaxRate, OffsetGSTAmount, "
                            "OffsetGSTGLAccountCode, BankAccountAmount, DoubleEntryBank, "
                            "DoubleEntryOffset, DoubleEntryGST) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
                            "?, ?, ?, ?, ?, ?, ?, ?)"),
             {r.id, r.date, r.type, r.status, receipt || bank ? none : QStringLiteral("V1"),
              receipt ? QStringLiteral("C1") : none,
              bank ? "6000" : receipt ? "4000" : "5000", r.base, taxed(QStringLiteral("G")),
              taxed(r.rate), taxed(tax), taxed(QStringLiteral("2200")), r.base + tax,
              sign * (r.base + tax), -sign * r.base, -sign * tax});
}

std::function<bool(Services&, QWidget*)>
EntryDriver::chooserFrom(std::deque<std::function<bool(Services&)>>& queue) {
    return [&queue](Services& s, QWidget*) {
        if (queue.empty()) {
            QTest::qFail("unexpected chooser", __FILE__, __LINE__);
            return false;
        }
        auto pick = queue.front();
        queue.pop_front();
        return pick(s);
    };
}

CashbookEntryWindow::Choosers EntryDriver::choosers() {
    CashbookEntryWindow::Choosers c;
    c.account = chooserFrom(accountPicks);
    c.find = [this](Services&, QWidget*, const QString&, const QString&) {
        if (finds.empty()) {
            QTest::qFail("unexpected find", __FILE__, __LINE__);
            return std::optional<QString>();
        }
        const std::optional<QString> answer = finds.front();
        finds.pop_front();
        return answer;
    };
    return c;
}

void EntryDriver::open(const VoucherKind& voucherKind) {
    kind = &voucherKind;
    saveQuestion = voucherKind.saveQuestion;
    auto* voucherWindow = new PaymentVoucherWindow(book.services, voucherKind);
    window.reset(voucherWindow);
    const CashbookEntryWindow::Choosers shared = choosers();
    voucherWindow->setPickers({chooserFrom(partyPicks), shared.account, chooserFrom(taxPicks),
                               shared.find});
    show();
}

void EntryDriver::openBank() {
    kind = nullptr;
    // The bank entries window keeps its save question itself.
    saveQuestion =
        QStringLiteral("The Transaction has passed validation. \r\n\r\nDo you wish to save?");
    window = std::make_unique<BankChargesInterestWindow>(book.services);
    window->setChoosers(choosers());
    show();
}

void EntryDriver::show() {
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

PaymentVoucherWindow& EntryDriver::voucher() {
    return static_cast<PaymentVoucherWindow&>(*window);
}

QString EntryDriver::offer(int number) const {
    return VoucherRules::offerQuestion(*kind, number);
}

void EntryDriver::add(bool accept) {
    if (kind) {
        const int next = book.value(QStringLiteral("SELECT %1 FROM tblBankDetails")
                                        .arg(kind->counterColumn))
                             .toInt();
        book.prompts.expect(offer(next), accept ? Answer::Yes : Answer::No);
    }
    click(QStringLiteral("cmdAdd"));
}

void EntryDriver::fill(const QString& amount) {
    if (kind) {
        const bool vendor = kind->party == VoucherKind::Party::Vendor;
        const QStringList party =
            vendor ? QStringList{"V1", "Acme Ltd", "1 Main St", "Suite 2", "Springfield", "State",
                                 "12345"}
                   : QStringList{"C1", "Brown & Co", "9 High St", "", "Shelbyville", "State",
                                 "54321"};
        partyPicks.push_back([party](Services& s) {
            for (int i = 0; i < 7; ++i)
                s.lookup.value(i + 1) = party.value(i);
            return true;
        });
        dropDown(kind->partyField);
        chooseAccount(vendor ? "5000" : "4000", vendor ? "Office Supplies" : "Sales");
    } else {
        enter(QStringLiteral("txtTransID"), QStringLiteral("E1"));
        chooseAccount(QStringLiteral("6000"), QStringLiteral("Bank Charges"));
    }
    enter(QStringLiteral("txtOffsetAmount"), amount);
}

void EntryDriver::save() {
    book.prompts.expect(saveQuestion, Answer::Yes).expect(Messages::saved());
    click(QStringLiteral("cmdSave"));
    book.prompts.verifyAllShown();
}

void EntryDriver::chooseAccount(const QString& code, const QString& desc) {
    accountPicks.push_back([code, desc](Services& s) {
        s.lookup.LookupValue1 = code;
        s.lookup.LookupValue2 = QStringLiteral("ADMIN");
        s.lookup.LookupValue3 = desc;
        return true;
    });
    dropDown(QStringLiteral("cboGLOffsetAccountCode"));
}

void EntryDriver::chooseTax(const QString& code, const QString& shownRate) {
    taxPicks.push_back([code, shownRate](Services& s) {
        s.lookup.LookupValue4 = code;
        s.lookup.LookupValue5 = shownRate;
        s.lookup.LookupValue6 = QStringLiteral("2200");
        s.lookup.LookupValue7 = QStringLiteral("ADMIN");
        return true;
    });
    dropDown(QStringLiteral("cboGSTCode"));
}

QString EntryDriver::text(const QString& name) {
    if (auto* combo = window->findChild<QComboBox*>(name))
        return combo->currentText();
    return get<QLineEdit>(name)->text();
}

QString EntryDriver::texts(const QString& names) {
    QStringList values;
    for (const QString& name : names.split(QLatin1Char(' ')))
        values << text(name);
    return values.join(QLatin1Char('|'));
}

QString EntryDriver::caption() {
    return get<NavigatorBar>(QStringLiteral("Adodc1"))->caption();
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
    QWidget* widget = get(name);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    if (value.isEmpty())
        QTest::keyClick(widget, Qt::Key_Backspace);
    else
        QTest::keyClicks(widget, value);
}

void EntryDriver::tab() {
    key(Qt::Key_Tab);
}

void EntryDriver::enter(const QString& name, const QString& value) {
    type(name, value);
    tab();
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
    QTest::keyClick(get(name), Qt::Key_Down, Qt::AltModifier);
    settle();
}

void EntryDriver::click(const QString& name) {
    QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton);
    settle();
}

void EntryDriver::navigate(const char* button) {
    QTest::mouseClick(get<NavigatorBar>(QStringLiteral("Adodc1"))
                          ->findChild<QToolButton*>(QString::fromLatin1(button)),
                      Qt::LeftButton);
    settle();
}

void EntryDriver::settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QString EntryDriver::columns(const QString& id, const QString& names) {
    QSqlQuery q = book.db.exec(
        QStringLiteral("SELECT %1 FROM tblCashbook WHERE TransID = ?").arg(names), {id});
    if (!q.next())
        return QStringLiteral("no row");
    QStringList values;
    for (int i = 0; i < q.record().count(); ++i)
        values << (q.isNull(i) ? QStringLiteral("null") : q.value(i).toString());
    return values.join(QLatin1Char('|'));
}

QString EntryDriver::counters() {
    return book.value(QStringLiteral("SELECT NextCheque || '/' || NextReceipt FROM tblBankDetails"))
        .toString();
}

void EntryDriver::integrate(bool ap, bool ar) {
    book.sql(
        QStringLiteral("UPDATE tblAccpacSettings SET IntegrateWithAP = ?, IntegrateWithAR = ?"),
        {int(ap), int(ar)});
}

int EntryDriver::rows() {
    return book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt();
}
