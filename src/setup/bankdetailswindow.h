#pragma once

#include "data/money.h"

#include <QDialog>
#include <array>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
struct Services;

// frmBankDetails: the fiscal year and month, the bank, the take-on balance and the next
// automatic voucher and receipt numbers. Opens read-only; Edit, once confirmed, unlocks the
// fields. Edits stay in the window until Save; Close discards them.
class BankDetailsWindow : public QDialog {
    Q_OBJECT
public:
    // The fields of the control array txtFields, by index.
    enum Field {
        CurrentYear = 0,
        CurrentMonth = 1,
        BankName = 2,
        BankAccountNumber = 3,
        StartingBankBalance = 4,
        NextCheque = 5,
        NextReceipt = 6,
    };

    explicit BankDetailsWindow(Services& services, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void load();
    void setEditable(bool editable);
    void edit();
    void save();
    void chooseMonth(int index);
    void leaveField(int index);
    // The balance as typed: nothing when the text is not an amount.
    std::optional<Money> typedBalance() const;
    void showBalance(Money balance);

    Services& m_services;
    std::array<QLineEdit*, 7> m_fields{};
    QComboBox* m_month = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
    bool m_hasRow = false;
    // The exact amount behind the balance text as last shown (the text is rounded to cents).
    std::optional<Money> m_balance;
    QString m_balanceShown;
};
