#include "entrydriver.h"

#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
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
    const char* const accounts[][2] = {{"1000", "Bank"},         {"1200", "AR Control"},
                                       {"1300", "AR Clearing"},  {"2000", "AP Control"},
                                       {"2100", "AP Clearing"},  {"2200", "GST Paid"},
                                       {"4000", "Sales"},        {"5000", "Office Supplies"},
                                       {"6000", "Bank Charges"}, {"7000", "Interest Income"}};
    for (const auto& a : accounts)
        book.sql(QStringLiteral("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, "
                                "AccountDescription) VALUES (?, 'ADMIN', ?)"),
                 {QString::fromLatin1(a[0]), QString::fromLatin1(a[1])});
    book.sql(QStringLiteral("INSERT INTO tblVendors VALUES ('V1', 'Acme Ltd', '1 Main St', "
                            "'Suite 2', 'Springfield', 'State', '12345')"));
    book.sql(QStringLiteral("INSERT INTO tblCustomers VALUES ('C1', 'Brown & Co', '9 High St', "
                            "'', 'Shelbyville', 'State', '54321')"));
    book.sql(QStringLiteral(
        "INSERT INTO tblTaxTable VALUES ('G', 'GST', 0.07, '2200', 'ADMIN', 'GST Paid')"));
    book.sql(QStringLiteral(
        "INSERT INTO tblTaxTable VALUES ('Z', 'Zero', 0, '2200', 'ADMIN', 'GST Paid')"));
}

// Every message box a test expected must have been shown by its end.
EntryDriver::~EntryDriver() {
    book.prompts.verifyAllShown();
}

EntryRules::Settings EntryDriver::settings(bool ap, bool ar) {
    EntryRules::Settings s;
    s.bankAccount = QStringLiteral("1000");
    s.bankDept = QStringLiteral("ADMIN");
    s.integrateWithAP = ap;
    s.apControl = QStringLiteral("2000");
    s.integrateWithAR = ar;
    s.arControl = QStringLiteral("1200");
    return s;
}

void EntryDriver::applyChanges(const QString& change, const QHash<QString, QString*>& fields) {
    for (const QString& item : change.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (QString* field = fields.value(item.section(QLatin1Char('='), 0, 0)))
            *field = item.section(QLatin1Char('='), 1);
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
    c.find = [this](Services&, QWidget*, const QString& caption, const QString& query) {
        findRequests << caption + QLatin1Char('|') + query;
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

std::unique_ptr<PaymentVoucherWindow> EntryDriver::openVoucher(const VoucherKind& kind) {
    auto window = std::make_unique<PaymentVoucherWindow>(book.services, kind);
    const CashbookEntryWindow::Choosers shared = choosers();
    PaymentVoucherWindow::Pickers pickers;
    pickers.party = chooserFrom(partyPicks);
    pickers.account = shared.account;
    pickers.tax = chooserFrom(taxPicks);
    pickers.find = shared.find;
    window->setPickers(pickers);
    show(window.get());
    return window;
}

void EntryDriver::show(CashbookEntryWindow* window) {
    m_form = window;
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void EntryDriver::pickAccount(const QString& code, const QString& desc) {
    accountPicks.push_back([code, desc](Services& s) {
        s.lookup.LookupValue1 = code;
        s.lookup.LookupValue2 = QStringLiteral("ADMIN");
        s.lookup.LookupValue3 = desc;
        return true;
    });
}

void EntryDriver::pickParty(const QStringList& values) {
    partyPicks.push_back([values](Services& s) {
        for (int i = 0; i < 7; ++i)
            s.lookup.value(i + 1) = values.value(i);
        return true;
    });
}

void EntryDriver::pickTax(const QString& code, const QString& shownRate) {
    taxPicks.push_back([code, shownRate](Services& s) {
        s.lookup.LookupValue4 = code;
        s.lookup.LookupValue5 = shownRate;
        s.lookup.LookupValue6 = QStringLiteral("2200");
        s.lookup.LookupValue7 = QStringLiteral("ADMIN");
        return true;
    });
}

QString EntryDriver::text(const QString& name) {
    if (auto* combo = m_form->findChild<QComboBox*>(name))
        return combo->currentText();
    return get<QLineEdit>(name)->text();
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
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settle();
}

void EntryDriver::enter(const QString& name, const QString& value) {
    type(name, value);
    tab();
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

void EntryDriver::saveAnswering(const QString& question) {
    book.prompts.expect(question, Answer::Yes).expect(QStringLiteral("Saved."));
    click(QStringLiteral("cmdSave"));
}

QVariant EntryDriver::column(const QString& id, const QString& name) {
    return book.value(QStringLiteral("SELECT %1 FROM tblCashbook WHERE TransID = ?").arg(name),
                      {id});
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

void EntryDriver::integrate(bool ap, bool ar) {
    book.sql(
        QStringLiteral("UPDATE tblAccpacSettings SET IntegrateWithAP = ?, IntegrateWithAR = ?"),
        {int(ap), int(ar)});
}

int EntryDriver::rows() {
    return book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt();
}
