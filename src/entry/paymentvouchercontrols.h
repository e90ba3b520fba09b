#pragma once

#include "entry/cashbookentrywindow.h"
#include "entry/voucherfields.h"
#include "entry/voucherkind.h"

class QPlainTextEdit;

// The controls of the payment voucher and receipt window and their layout: the pay-to (or
// received-from) block, type, number and date, description and comments, the amount block
// with the tax, the status and signatures, the navigator and the commands, in the order of
// the printed voucher, and each field's binding to the row. PaymentVoucherWindow gives
// them their rules.
class PaymentVoucherControls : public CashbookEntryWindow {
    Q_OBJECT
protected:
    PaymentVoucherControls(Services& services, const VoucherKind& kind, QWidget* parent);

    const VoucherKind& m_kind;
    LookupComboBox* m_party = nullptr;
    QLineEdit* m_partyName = nullptr;
    QLineEdit* m_address[4] = {};
    QLineEdit* m_postalCode = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    LookupComboBox* m_taxCode = nullptr;
    QLineEdit* m_taxRate = nullptr;
    QLineEdit* m_taxAccount = nullptr;
    QLineEdit* m_taxDept = nullptr;
    QLineEdit* m_taxAmount = nullptr;
    QLineEdit* m_deGst = nullptr;
    // Each field's binding to the row, in the order the fields are written.
    QList<FieldBindings::Bound<VoucherFields>> m_fields;

private:
    static Setup setupFor(const VoucherKind& kind);
    void buildWindow();
};
