#pragma once

#include "entry/cashbookentrycontrols.h"
#include "entry/cashbookstore.h"
#include "entry/entryrules.h"
#include "masters/choices.h"

#include <functional>
#include <memory>
#include <optional>

class FieldGate;
class QLabel;
class QLineEdit;
class QSqlRecord;
class RecordFlow;
class RecordNavigator;
struct Services;

// What the windows that enter one transaction of the cashbook at a time have in common:
// the payment voucher and receipt window, and the bank charges, interest and miscellaneous
// window.
//
// It owns the navigator over the rows of the window's types (newest first) and its bar's
// caption, and gives the controls every such window has (CashbookEntryControls) their rules:
// the field rules these share (the type list, the date, the account code and its chooser,
// the amount check, the number check while adding), the status display and
// PreventDataEntry, the check before the navigator leaves a row, and the commands Add, Save,
// Undo, Delete, Find and Close with the close box and Escape.
//
// A window built on it lays these fields out with its own, and supplies what differs
// through the hooks below: its own fields and their rules, how a row is shown, checked,
// begun and written, and the numbering.
class CashbookEntryWindow : public CashbookEntryControls {
    Q_OBJECT
public:
    // The chooser windows the shared fields open; tests replace them with scripted ones.
    struct Choosers {
        std::function<std::optional<AccountChoice>(Services&, QWidget*)> account;
        std::function<std::optional<QString>(Services&, QWidget*, const QString& caption,
                                             const QString& listQuery)>
            find;
    };
    static Choosers standardChoosers();

    ~CashbookEntryWindow() override;

    void setChoosers(Choosers choosers) { m_choosers = std::move(choosers); }

    // The record check: checks and normalises the shown row; on a failure shows its message
    // (when showMessages) and puts the focus on the field concerned.
    bool Validated(bool showMessages);
    // Enables (lock false) or disables the entry fields and Delete, Undo and Save; Find and
    // the navigator are always enabled, Add unless the book is read-only (whose fields and
    // commands stay disabled whatever lock asks).
    void PreventDataEntry(bool lock);

    RecordNavigator& navigator() const { return *m_navigator; }

protected:
    CashbookEntryWindow(Services& services, Setup setup, QWidget* parent);
    // The last step of the derived window's constructor, once its fields are laid out:
    // connects the fields, loads the window and shows the newest row.
    void finishSetup();

    // ---- what the window supplies ----
    // The entry fields PreventDataEntry enables and disables, in its order.
    virtual QList<QWidget*> entryFields() const = 0;
    // The window's own fields with focus rules (selection, leave checks), and of those the
    // ones with leave rules, which a command leaves first.
    virtual QList<QWidget*> ownWatchedFields() const { return {}; }
    virtual QList<QWidget*> ownCheckedFields() const { return {}; }
    // Leaving one of the window's own fields: false when its check refuses (the field gate
    // then keeps the focus there).
    virtual bool leaveOwnField(QWidget* widget, bool focusLeaving);
    // A watched field took the focus; by default its text is selected (the type field also
    // shows its list).
    void gotFocus(QWidget* widget) override;
    // Leaving the amount once its check has passed.
    virtual void amountLeft() = 0;
    // An entry of the type list was chosen; its code is in the type field.
    virtual void typeChosen(const QString& code);
    // Shows the navigator's current row, or an empty new row when record is null.
    virtual void showRow(const QSqlRecord* record) = 0;
    // The record check's rules on the shown fields: writes its normalisations back into the
    // fields and returns the first refusal.
    virtual std::optional<EntryRules::Refusal> checkRow(const EntryRules::Settings& settings) = 0;
    // The rules of writing the shown row, checked only when it is about to be written.
    virtual std::optional<EntryRules::Refusal>
    writeRefusal(const EntryRules::Settings& settings) const = 0;
    // The rest of Add once the new row has its type, date and bank GL account.
    virtual void beginRow() = 0;
    // Before a row is written: fills the figures a save works out (the double entry).
    virtual void prepareForSave() = 0;
    // The columns of the shown row, with the values to store.
    virtual QVariantMap rowColumns() const = 0;
    // The counter a save of the shown row advances, if any.
    virtual std::optional<CashbookStore::Counter> counterToAdvance() const;
    // After the shown row has been written / dropped by Undo.
    virtual void rowWritten();
    virtual void rowUndone();

    // ---- helpers for the window ----
    // The offset account with its department and description, as a pick fills it.
    void setOffsetAccount(const QString& code, const QString& dept, const QString& description);
    // The amount check of a field: not a number is refused, a negative amount needs a Yes
    // when the setup asks for it.
    bool amountCheck(QLineEdit* edit);
    bool event(QEvent* event) override;
    bool escapeUndoes() const override;
    void undoChanges() override { cmdUndo(); }

    CashbookStore m_store;
    Choosers m_choosers;
    RecordNavigator* m_navigator = nullptr;

private:
    void connectSignals();

    void showCurrentRow();
    void statusDisplay();
    void formActivate();

    bool leaveField(QWidget* widget, bool focusLeaving) override;
    void accountDropDown();
    void datePicked();
    void dateTextChanged();

    void cmdAdd();
    void cmdSave();
    void cmdUndo();
    void cmdDelete();
    void cmdFind();
    void cmdClose();
    // Writes the shown row as Save does, without its question: its double entry, status "1",
    // the row and any counter in one transaction. False (with its message) when refused.
    bool storeCurrentRow();
    // While a row is being added: Add, Delete, Find and the navigator are disabled.
    void lockForAdding();
    bool storedRowLocked() const;
    // The record check and, when the row is to be written, the rules of writing it.
    bool passesChecks(bool showMessages, bool writing);
    // Runs one check under the routine label "Validated": a refusal is shown (when
    // showMessages) and its field gets the focus.
    bool
    runCheck(bool showMessages,
             const std::function<std::optional<EntryRules::Refusal>(const EntryRules::Settings&)>&
                 check);

    bool leaveAccount();

    // The account code whose department and description the window shows.
    QString m_filledAccount;
};
