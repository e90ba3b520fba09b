#pragma once

#include "entry/voucherfields.h"
#include "entry/voucherkind.h"
#include "entry/voucherrules.h"
#include "entry/voucherstore.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>

class NavigatorBar;
class PickerComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class RecordNavigator;
struct Services;

// The payment voucher window (frmPaymentVoucher): one transaction at a time with its
// payee, type, number, date, description, offset account, tax and total, a navigator over
// every row of its types, and the commands Add, Save, Undo, Delete, Find and Close.
//
// The receipt window is this same class with another VoucherKind: everything that
// differs (party, types, counter, signs, texts) comes from the kind.
class PaymentVoucherWindow : public QDialog {
    Q_OBJECT
public:
    // The chooser windows the fields open; tests replace them with scripted ones.
    struct Pickers {
        std::function<bool(Services&, QWidget*)> party;
        std::function<bool(Services&, QWidget*)> account;
        std::function<bool(Services&, QWidget*)> tax;
        std::function<std::optional<QString>(Services&, QWidget*, const QString& caption,
                                             const QString& listQuery)>
            find;
    };
    static Pickers standardPickers(const VoucherKind& kind);

    PaymentVoucherWindow(Services& services, const VoucherKind& kind, QWidget* parent = nullptr);
    ~PaymentVoucherWindow() override;

    void setPickers(Pickers pickers) { m_pickers = std::move(pickers); }

    // The record check: checks and normalises the shown row; on a failure shows its message
    // (when showMessages) and puts the focus on the field concerned.
    bool Validated(bool showMessages);
    // Enables (lock false) or disables the entry fields and Delete, Undo and Save; Add, Find
    // and the navigator are always enabled.
    void PreventDataEntry(bool lock);

    RecordNavigator& navigator() const { return *m_navigator; }
    qint32 nextNumber() const { return m_nextNumber; }
    bool nextNumberAccepted() const { return m_nextNumberAccepted; }
    // Whether the shown row holds changes not yet written.
    bool hasPendingChanges() const { return m_dirty; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildWindow();
    QLineEdit* addLineEdit(const char* name, int maxLength = 0);
    QLabel* addLabel(const char* name, const QString& text, QWidget* buddy);
    QPushButton* addButton(const char* name, const QString& caption);
    void connectSignals();

    // Field texts to and from the widgets.
    VoucherFields readFields() const;
    void writeFields(const VoucherFields& fields);
    QWidget* field(const QString& name) const;
    void focusField(const QString& name);

    // The navigator's hooks and the shown row.
    bool beforeMove(int move);
    void showCurrentRow();
    void statusDisplay();
    void formActivate();

    // Field rules.
    void fieldGotFocus(QWidget* widget);
    bool leaveField(QWidget* widget, bool focusLeaving);
    bool amountCheck(QLineEdit* edit, const QString& routine);
    void refuseField(QWidget* widget, bool focusLeaving);
    void restoreFocus();
    bool finishFieldEdit();
    void partyDropDown();
    void accountDropDown();
    void taxDropDown();
    void taxCodeChanged();
    void chooseType(int row);
    void showTypeList(bool show);
    void datePicked();
    void dateTextChanged();
    void recomputeTotal();

    // Commands.
    void cmdAdd();
    void cmdSave();
    void cmdUndo();
    void cmdDelete();
    void cmdFind();
    void cmdClose();
    bool mayClose(const QString& routine);
    // Writes the shown row as Save does, without its question: double entry, status "1", the
    // row and the counter in one transaction. False (with its message) when refused.
    bool storeCurrentRow();
    bool storedRowLocked() const;
    std::optional<qint32> readNextNumber();
    VoucherRules::Settings readSettings();
    void runCommand(const QString& routine, const std::function<void()>& body);

    Services& m_services;
    const VoucherKind& m_kind;
    VoucherStore m_store;
    Pickers m_pickers;
    RecordNavigator* m_navigator = nullptr;

    // Window-level state of the numbering.
    qint32 m_nextNumber = 0;
    bool m_nextNumberAccepted = false;

    bool m_dirty = false;
    int m_binding = 0;
    bool m_fieldRefused = false;
    QPointer<QWidget> m_refocus;
    bool m_closing = false;

    PickerComboBox* m_party = nullptr;
    QLineEdit* m_partyName = nullptr;
    QLineEdit* m_address[4] = {};
    QLineEdit* m_postalCode = nullptr;
    QLineEdit* m_transType = nullptr;
    QListWidget* m_typeList = nullptr;
    QLineEdit* m_transId = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QLineEdit* m_transDate = nullptr;
    QLineEdit* m_desc = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    PickerComboBox* m_account = nullptr;
    QLineEdit* m_dept = nullptr;
    QLineEdit* m_accountDesc = nullptr;
    QLineEdit* m_base = nullptr;
    PickerComboBox* m_taxCode = nullptr;
    QLineEdit* m_taxRate = nullptr;
    QLineEdit* m_taxAccount = nullptr;
    QLineEdit* m_taxDept = nullptr;
    QLineEdit* m_taxAmount = nullptr;
    QLineEdit* m_total = nullptr;
    QLineEdit* m_status = nullptr;
    QLineEdit* m_statusMsg = nullptr;
    QLineEdit* m_deBank = nullptr;
    QLineEdit* m_deOffset = nullptr;
    QLineEdit* m_deGst = nullptr;
    QLineEdit* m_bankAccount = nullptr;
    QLineEdit* m_bankDept = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_find = nullptr;
    NavigatorBar* m_bar = nullptr;
};
