#include "paymentvouchercontrols.h"

#include "kit/lookupcombobox.h"
#include "kit/navigatorbar.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

PaymentVoucherControls::PaymentVoucherControls(Services& services, const VoucherKind& kind,
                                               QWidget* parent)
    : CashbookEntryWindow(services, setupFor(kind), parent), m_kind(kind) {
    buildWindow();
}

CashbookEntryWindow::Setup PaymentVoucherControls::setupFor(const VoucherKind& kind) {
    Setup setup;
    setup.windowName = kind.windowName;
    setup.caption = kind.windowCaption;
    setup.helpTopic = kind.helpTopic;
    setup.navigatorNoun = kind.navigatorNoun;
    setup.filter = kind.filter();
    setup.typeCodes = kind.typeCodes;
    setup.typeTexts = kind.typeTexts;
    setup.defaultType = kind.defaultType;
    setup.findRoutine = kind.findRoutine;
    setup.findCaption = kind.findCaption;
    setup.findQuery = kind.findQuery;
    setup.notFoundLabel = kind.notFoundLabel;
    setup.datePickerRoutine = kind.datePickerRoutine;
    setup.saveQuestion = kind.saveQuestion;
    setup.askNegativeAmount = true;
    return setup;
}

// ---- building ----------------------------------------------------------------------

void PaymentVoucherControls::buildWindow() {
    auto* outer = new QVBoxLayout(this);

    // Pay-to (received-from) block.
    m_party = new LookupComboBox(this);
    m_party->setObjectName(m_kind.partyField);
    m_partyName = addLineEdit("", 30);
    m_partyName->setObjectName(m_kind.partyNameField);
    m_address[0] = addLineEdit("txtAddress1", 30);
    m_address[1] = addLineEdit("txtAddress2", 30);
    m_address[2] = addLineEdit("txtAddress3", 30);
    m_address[3] = addLineEdit("txtAddress4", 20);
    m_postalCode = addLineEdit("txtPostalCode", 15);
    for (QLineEdit* edit :
         {m_partyName, m_address[0], m_address[1], m_address[2], m_address[3], m_postalCode})
        edit->setEnabled(false);
    m_address[1]->setAccessibleName(QStringLiteral("Address line 2"));
    m_address[2]->setAccessibleName(QStringLiteral("Address line 3"));
    m_address[3]->setAccessibleName(QStringLiteral("Address line 4"));
    m_postalCode->setAccessibleName(QStringLiteral("Postal Code"));

    auto* payTo = new QGroupBox(m_kind.blockCaption, this);
    payTo->setObjectName(QStringLiteral("fraPayTo"));
    auto* payGrid = new QGridLayout(payTo);
    payGrid->addWidget(addLabel("lblPartyID", m_kind.partyLabel, m_party), 0, 0);
    payGrid->addWidget(m_party, 0, 1, 1, 2);
    payGrid->addWidget(addLabel("lblPartyName", m_kind.partyNameLabel, m_partyName), 1, 0);
    payGrid->addWidget(m_partyName, 1, 1, 1, 2);
    payGrid->addWidget(addLabel("lblAddress", QStringLiteral("Address"), m_address[0]), 2, 0);
    payGrid->addWidget(m_address[0], 2, 1, 1, 2);
    payGrid->addWidget(m_address[1], 3, 1, 1, 2);
    payGrid->addWidget(m_address[2], 4, 1, 1, 2);
    payGrid->addWidget(m_address[3], 5, 1);
    payGrid->addWidget(m_postalCode, 5, 2);

    // Type, number and date.
    auto* headGrid = new QGridLayout;
    headGrid->addWidget(addLabel("lblTransType", QStringLiteral("&Type:"), m_transType), 0, 0);
    headGrid->addWidget(m_transType, 0, 1);
    headGrid->addWidget(
        addLabel("lblTransID", m_kind.numberLabel.chopped(3) + QStringLiteral("&No:"), m_transId),
        1, 0);
    headGrid->addWidget(m_transId, 1, 1);
    headGrid->addWidget(addLabel("lblDate", QStringLiteral("Dat&e:"), m_datePicker), 2, 0);
    headGrid->addWidget(m_datePicker, 2, 1);
    headGrid->setRowStretch(3, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(payTo, 3);
    top->addLayout(headGrid, 2);
    outer->addLayout(top);

    // Description.
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("txtTransDescMemo"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setTabChangesFocus(true);
    m_memo->setMaximumHeight(90);
    auto* descGrid = new QGridLayout;
    descGrid->addWidget(addLabel("lblTransDesc", QStringLiteral("DESCR&IPTION:"), m_desc), 0, 0);
    descGrid->addWidget(m_desc, 0, 1);
    descGrid->addWidget(addLabel("lblTransDescMemo", QStringLiteral("Detailed Co&mments:"), m_memo),
                        1, 0, Qt::AlignTop);
    descGrid->addWidget(m_memo, 1, 1);
    outer->addLayout(descGrid);

    // Amount block.
    m_taxCode = new LookupComboBox(this);
    m_taxCode->setObjectName(QStringLiteral("cboGSTCode"));
    m_taxRate = addLineEdit("txtGSTRate");
    m_taxRate->setAccessibleName(QStringLiteral("Tax Rate"));
    m_taxAccount = addLineEdit("txtGSTAccountCode");
    m_taxAccount->setAccessibleName(QStringLiteral("Tax GL Account"));
    m_taxDept = addLineEdit("txtGSTDeptCode");
    m_taxDept->setAccessibleName(QStringLiteral("Tax GL Department"));
    m_taxAmount = addLineEdit("txtGSTAmount");
    m_taxAmount->setAlignment(Qt::AlignRight);
    for (QLineEdit* edit : {m_taxRate, m_taxAccount, m_taxDept})
        edit->setEnabled(false);

    auto* amounts = new QGridLayout;
    amounts->addWidget(addLabel("lblGLAccount", QStringLiteral("&GL A/c"), m_account), 0, 0);
    amounts->addWidget(m_account, 0, 1);
    amounts->addWidget(m_dept, 0, 2);
    amounts->addWidget(m_accountDesc, 0, 3, 1, 2);
    amounts->addWidget(addLabel("lblBaseAmount", QStringLiteral("&Base Amount"), m_amount), 1, 0);
    amounts->addWidget(m_amount, 1, 1);
    amounts->addWidget(addLabel("lblTaxCode", QStringLiteral("Ta&x Code"), m_taxCode), 2, 0);
    amounts->addWidget(m_taxCode, 2, 1);
    amounts->addWidget(m_taxRate, 2, 2);
    amounts->addWidget(m_taxAccount, 2, 3);
    amounts->addWidget(m_taxDept, 2, 4);
    amounts->addWidget(addLabel("lblTaxAmount", QStringLiteral("Tax Am&ount"), m_taxAmount), 3, 0);
    amounts->addWidget(m_taxAmount, 3, 1);
    amounts->addWidget(addLabel("lblTotal", QStringLiteral("Total"), m_total), 4, 0);
    amounts->addWidget(m_total, 4, 1);
    outer->addLayout(amounts);

    // Status, the hidden tax side and signatures.
    m_deGst = addLineEdit("txtDoubleEntryGST");
    m_deGst->setEnabled(false);
    m_deGst->hide();
    m_bindings.bindAmount(m_taxAmount, QStringLiteral("OffsetGSTAmount"));
    m_bindings.bindAmount(m_deGst, QStringLiteral("DoubleEntryGST"));
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(
        addLabel("lblReconciliationStatus", QStringLiteral("Reconciliation Status:"), m_statusMsg));
    statusRow->addWidget(m_statusMsg);
    statusRow->addStretch(1);
    for (int i = 0; i < m_kind.signatureCaptions.size(); ++i) {
        auto* signature = new QLabel(
            m_kind.signatureCaptions.at(i) + QStringLiteral(" ____________________"), this);
        signature->setObjectName(QStringLiteral("lblSignature%1").arg(i + 1));
        statusRow->addWidget(signature);
    }
    outer->addLayout(statusRow);
    outer->addStretch(1);

    // Navigator and commands.
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_bar, 2);
    for (QPushButton* button : {m_add, m_save, m_undo, m_delete, m_find, m_close})
        commands->addWidget(button);
    outer->addLayout(commands);

    // Tab order: the fields in the order of the printed voucher, then the commands.
    QWidget* order[] = {m_party,   m_transType, m_transId, m_datePicker, m_desc, m_memo,
                        m_account, m_amount,    m_taxCode, m_taxAmount,  m_add,  m_save,
                        m_undo,    m_delete,    m_find,    m_close,      m_bar};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    using F = VoucherFields;
    using enum FieldBindings::Conversion;
    m_fields = {{m_party, &F::party, EditText},
                {m_partyName, &F::partyName, Text},
                {m_address[0], &F::address1, Text},
                {m_address[1], &F::address2, Text},
                {m_address[2], &F::address3, Text},
                {m_address[3], &F::address4, Text},
                {m_postalCode, &F::postalCode, Text},
                {m_transType, &F::transType, Text},
                {m_transId, &F::transId, Text},
                {m_transDate, &F::transDate, Text},
                {m_desc, &F::transDesc, Text},
                {m_memo, &F::transDescMemo, Memo},
                {m_account, &F::accountCode, EditText},
                {m_dept, &F::deptCode, Text},
                {m_accountDesc, &F::accountDesc, Text},
                {m_amount, &F::baseAmount, Amount},
                {m_taxCode, &F::taxCode, EditText},
                {m_taxRate, &F::taxRate, Text},
                {m_taxAccount, &F::taxAccount, Text},
                {m_taxDept, &F::taxDept, Text},
                {m_taxAmount, &F::taxAmount, Amount},
                {m_total, &F::total, Amount},
                {m_deBank, &F::doubleEntryBank, Amount},
                {m_deOffset, &F::doubleEntryOffset, Amount},
                {m_deGst, &F::doubleEntryGst, Amount},
                {m_bankAccount, &F::bankAccount, Text},
                {m_bankDept, &F::bankDept, Text},
                // Last, so that the status display sees the rest of the row in place.
                {m_status, &F::status, Text}};
}
