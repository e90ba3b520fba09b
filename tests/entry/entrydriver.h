#pragma once

// Driving the cashbook entry windows as a user does: typing, Tab, drop-downs answered by
// scripted choosers, buttons and navigator moves, and reading back fields and stored rows.
#include "entry/cashbookentrywindow.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class PaymentVoucherWindow;
struct VoucherKind;

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

    // A book with bank GL account 1000 (ADMIN), AP clearing 2100 and control 2000, AR
    // clearing 1300 (SALES) and control 1200, counters NextCheque 1001 and NextReceipt 500,
    // vendor V1, customer C1, tax codes G (7%) and Z (0%), and the accounts the rows use. At
    // its end every expected message box must have been shown.
    EntryDriver();
    ~EntryDriver() { book.prompts.verifyAllShown(); }

    void addRow(const StoredRow& row);

    // Opens the payment voucher or receipt window of the kind, or the bank entries window,
    // with scripted choosers, and waits until it is active.
    void open(const VoucherKind& kind);
    void openBank();
    PaymentVoucherWindow& voucher();
    // Add. A voucher window offers its counter's number, answered Yes or No.
    void add(bool accept = true);
    // A valid new row: the party picked (vouchers), the ID typed (bank entries, which offer
    // none), the account picked and the amount entered.
    void fill(const QString& amount = QStringLiteral("100"));
    // Save, answering Yes to the window's question; the window then says "Saved.".
    void save();
    // Scripted choosers that fill the transfer strings as their windows would, each opened
    // from its field's drop-down.
    void chooseAccount(const QString& code, const QString& desc);
    void chooseTax(const QString& code, const QString& shownRate);

    template <typename T = QWidget> T* get(const QString& name) {
        return child<T>(window.get(), name);
    }
    QString text(const QString& name);
    // The fields' texts (names separated by spaces) joined by "|".
    QString texts(const QString& names);
    QString caption();
    QString focusName();
    bool enabled(const char* name) { return get(QString::fromLatin1(name))->isEnabled(); }

    void focus(const QString& name);
    // Types into a field as a user does: focus, select what is there, type.
    void type(const QString& name, const QString& value);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    void tab() { key(Qt::Key_Tab); }
    // Types into a field and leaves it with Tab.
    void enter(const QString& name, const QString& value) {
        type(name, value);
        tab();
    }
    // The fields Tab visits from the first, stops in all (the date picker's parts as one).
    QStringList tabWalk(const QString& first, int stops);
    void dropDown(const QString& name);
    void click(const QString& name);
    void navigate(const char* button);
    static void settle();

    // The stored row's columns (comma-separated names) joined by "|", a null shown as "null".
    QString columns(const QString& id, const QString& names);
    // NextCheque and NextReceipt, "1001/500".
    QString counters();
    void integrate(bool ap, bool ar);
    int rows();

    TestBook book;
    std::unique_ptr<CashbookEntryWindow> window;
    const VoucherKind* kind = nullptr; // none for the bank entries window
    std::deque<std::function<bool(Services&)>> partyPicks, accountPicks, taxPicks;
    std::deque<std::optional<QString>> finds;

private:
    std::function<bool(Services&, QWidget*)>
    chooserFrom(std::deque<std::function<bool(Services&)>>& queue);
    void show();
    QString m_saveQuestion;
};
