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

// Messages every entry window shows the same way.
namespace EntryTexts {
inline const QString bankAccount = QStringLiteral(
    "You cannot select the GL Bank Account Code\r\nas it is the control account and is used "
    "\r\nautomatically as one half of the double-entry\r\nbook-keeping.");
inline const QString apControl =
    QStringLiteral("Integrated with AP.  Therefore, you cannot\r\nchoose the AP Control Account.");
inline const QString arControl =
    QStringLiteral("Integrated with AR.  Therefore, you cannot\r\nchoose the AR Control Account.");
inline const QString duplicate =
    QStringLiteral("That Transaction ID appears to already exist.\r\nTransaction IDs must be "
                   "unique.\r\n\r\nPlease enter a new one.");
inline const QString closeQuestion =
    QStringLiteral("The record has not passed validation.\r\n\r\nIf you close, your changes "
                   "will be abandoned.\r\n\r\nDo you wish to close?");
} // namespace EntryTexts

class EntryDriver {
public:
    using Answer = Prompts::Answer;

    // A book with the settings, chart of accounts, vendor, customer and tax codes the entry
    // tests use: bank GL account 1000 (ADMIN); AP clearing 2100, AP control 2000, AR clearing
    // 1300, AR control 1200; counters NextCheque 1001 and NextReceipt 500; vendor V1,
    // customer C1; tax codes G (7%) and Z (0%). At its end every expected message box must
    // have been shown.
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
    // Types into a field and leaves it with Tab.
    void enter(const QString& name, const QString& value);
    // The fields Tab visits from the first, stops in all (the date picker's parts as one).
    QStringList tabWalk(const QString& first, int stops);
    void dropDown(const QString& name);
    void click(const QString& name);
    void navigate(const char* button);
    static void settle();
    // Save, answering Yes to the window's save question; the window then says "Saved.".
    void saveAnswering(const QString& question);

    QVariant column(const QString& id, const QString& name);
    // The stored row's columns (comma-separated names) joined by "|", a null shown as "null".
    QString columns(const QString& id, const QString& names);
    // Sets the integrations with AP and AR.
    void integrate(bool ap, bool ar);
    int rows();

    TestBook book;
    std::deque<std::function<bool(Services&)>> partyPicks, accountPicks, taxPicks;
    std::deque<std::optional<QString>> finds;
    QStringList findRequests;

private:
    QWidget* m_form = nullptr;
};
