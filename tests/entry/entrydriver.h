#pragma once

// Driving the cashbook entry windows as a user does: typing, Tab, drop-downs answered by
// scripted choosers, buttons and navigator moves, and reading back fields and stored rows.
#include "entry/cashbookentrywindow.h"
#include "support/testbook.h"

#include <QHash>
#include <QString>
#include <QTest>
#include <QVariant>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class PaymentVoucherWindow;
struct VoucherKind;

class EntryDriver {
public:
    using Answer = Prompts::Answer;

    // A book with the settings, chart of accounts, vendor, customer and tax codes the entry
    // tests use: bank GL account 1000 (ADMIN); AP clearing 2100, AP control 2000, AR clearing
    // 1300, AR control 1200; counters NextCheque 1001 and NextReceipt 500; vendor V1,
    // customer C1; tax codes G (7%) and Z (0%).
    EntryDriver();
    virtual ~EntryDriver();

    // The record check's settings as this book holds them (bank GL account 1000 in ADMIN, AP
    // control 2000, AR control 1200), with the given integrations.
    static EntryRules::Settings settings(bool ap = false, bool ar = false);
    // Applies a data row's changes, "name=value" items separated by commas, to the fields
    // named in the map; other names are passed over.
    static void applyChanges(const QString& change, const QHash<QString, QString*>& fields);

    // Shows the window with scripted choosers for the account and the find, and waits until
    // it is active.
    void show(CashbookEntryWindow* window);
    CashbookEntryWindow::Choosers choosers();
    // Opens a payment voucher or receipt window of the kind with the scripted party, account,
    // tax and find choosers, and shows it.
    std::unique_ptr<PaymentVoucherWindow> openVoucher(const VoucherKind& kind);

    // Scripted choosers: each fills the transfer strings as its window would.
    void pickAccount(const QString& code, const QString& desc);
    void pickParty(const QStringList& values);
    void pickTax(const QString& code, const QString& shownRate);
    std::function<bool(Services&, QWidget*)>
    chooserFrom(std::deque<std::function<bool(Services&)>>& queue);

    template <typename T = QWidget> T* get(const QString& name) {
        T* widget = m_form->findChild<T*>(name);
        if (!widget)
            QTest::qFail(qPrintable(QStringLiteral("no widget ") + name), __FILE__, __LINE__);
        return widget;
    }
    QString text(const QString& name);
    QString caption();
    QString focusName();

    void focus(const QString& name);
    // Types into a field as a user does: focus, select what is there, type.
    void type(const QString& name, const QString& value);
    void tab();
    void dropDown(const QString& name);
    void click(const QString& name);
    void navigate(const char* button);
    static void settle();
    // Save, answering Yes to the window's save question; the window then says "Saved.".
    void saveAnswering(const QString& question);

    QVariant column(const QString& id, const QString& name);
    int rows();

    TestBook book;
    std::deque<std::function<bool(Services&)>> partyPicks, accountPicks, taxPicks;
    std::deque<std::optional<QString>> finds;
    QStringList findRequests;

private:
    QWidget* m_form = nullptr;
};
