#pragma once

#include "entry/paymentvouchercontrols.h"
#include "entry/voucherstore.h"

// The payment voucher window (frmPaymentVoucher) and, with the receipt kind, the receipt
// window (frmReceipts): one transaction at a time with its payee or payer, type, number,
// date, description and comments, offset account, tax and total, a navigator over every
// row of its two types, and the commands Add, Save, Undo, Delete, Find and Close.
//
// Everything that differs between the two twins (party, types, counter, signs, texts)
// comes from the VoucherKind.
class PaymentVoucherWindow : public PaymentVoucherControls {
    Q_OBJECT
public:
    // The chooser windows the fields open; tests replace them with scripted ones.
    struct Pickers {
        std::function<std::optional<PartyChoice>(Services&, QWidget*)> party;
        std::function<std::optional<AccountChoice>(Services&, QWidget*)> account;
        std::function<std::optional<TaxChoice>(Services&, QWidget*)> tax;
        std::function<std::optional<QString>(Services&, QWidget*, const QString& caption,
                                             const QString& listQuery)>
            find;
    };
    static Pickers standardPickers(const VoucherKind& kind);

    PaymentVoucherWindow(Services& services, const VoucherKind& kind, QWidget* parent = nullptr);
    ~PaymentVoucherWindow() override;

    void setPickers(Pickers pickers);

    qint32 nextNumber() const { return m_nextNumber; }
    bool nextNumberAccepted() const { return m_nextNumberAccepted; }

protected:
    QList<QWidget*> entryFields() const override;
    QList<QWidget*> ownWatchedFields() const override;
    QList<QWidget*> ownCheckedFields() const override;
    bool leaveOwnField(QWidget* widget, bool focusLeaving) override;
    void gotFocus(QWidget* widget) override;
    void amountLeft() override;
    void typeChosen(const QString& code) override;
    void showRow(const QSqlRecord* record) override;
    std::optional<EntryRules::Refusal> checkRow(const EntryRules::Settings& settings) override;
    std::optional<EntryRules::Refusal>
    writeRefusal(const EntryRules::Settings& settings) const override;
    void beginRow() override;
    void prepareForSave() override;
    QVariantMap rowColumns() const override;
    std::optional<CashbookStore::Counter> counterToAdvance() const override;
    void rowWritten() override;
    void rowUndone() override;

private:
    void partyDropDown();
    void taxDropDown();
    void taxCodeChanged();
    void recomputeTotal();
    bool leaveTaxCode();
    void fillTax(const QString& code, const QString& rate, const QString& account,
                 const QString& dept);
    void fillParty(const PartyChoice& party);
    // The counter's number for the offer; nothing (and the error box) when it cannot be read.
    std::optional<qint32> readNextNumber();

    VoucherStore m_voucherStore;
    std::function<std::optional<PartyChoice>(Services&, QWidget*)> m_partyPicker;
    std::function<std::optional<TaxChoice>(Services&, QWidget*)> m_taxPicker;

    // Window-level state of the numbering.
    qint32 m_nextNumber = 0;
    bool m_nextNumberAccepted = false;
    // The codes whose records the window shows: leaving the field with the same code
    // changes nothing.
    QString m_filledParty;
    QString m_filledTaxCode;
};
