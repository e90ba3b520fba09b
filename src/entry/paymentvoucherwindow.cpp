#include "paymentvoucherwindow.h"

#include "data/codes.h"
#include "data/recordnavigator.h"
#include "entry/pickercombobox.h"
#include "masters/lookups.h"
#include "shell/handlerguard.h"
#include "shell/mrlookup.h"
#include "shell/navigatorbar.h"
#include "shell/services.h"
#include "shell/settings.h"
#include "shell/shellprocs.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>

namespace {

// A move refused by the row check, when a command (Find, Delete) asked for it.
Failure moveCancelled() {
    return Failure(-2147217842, QStringLiteral("Operation was cancelled."));
}

// Focus changes that mean the user is leaving a field. A window that loses activation (a
// message box or a chooser opened over it) or a pop-up does not take the field away.
bool isLeaving(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

class BindingScope {
public:
    explicit BindingScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~BindingScope() { --m_depth; }
    BindingScope(const BindingScope&) = delete;
    BindingScope& operator=(const BindingScope&) = delete;

private:
    int& m_depth;
};

} // namespace

PaymentVoucherWindow::Pickers PaymentVoucherWindow::standardPickers(const VoucherKind& kind) {
    Pickers pickers;
    pickers.party = kind.party == VoucherKind::Party::Vendor ? &lookupVendor : &lookupCustomer;
    pickers.account = &lookupChartOfAccounts;
    pickers.tax = &lookupTaxCode;
    pickers.find = &findValue;
    return pickers;
}

PaymentVoucherWindow::PaymentVoucherWindow(Services& services, const VoucherKind& kind,
                                           QWidget* parent)
    : QDialog(parent), m_services(services), m_kind(kind), m_store(services.db, kind),
      m_pickers(standardPickers(kind)) {
    setObjectName(kind.windowName);
    setWindowTitle(kind.windowCaption);
    buildWindow();

    RecordNavigator::Definition definition;
    definition.table = QStringLiteral("tblCashbook");
    definition.filter = kind.filter();
    definition.order = {{QStringLiteral("TransDate"), Qt::DescendingOrder},
                        {QStringLiteral("TransID"), Qt::DescendingOrder}};
    definition.key = {QStringLiteral("TransID")};
    m_navigator = new RecordNavigator(services.db, definition, this);
    m_navigator->setBeforeMove(
        [this](RecordNavigator::Move move) { return beforeMove(int(move)); });
    connect(m_navigator, &RecordNavigator::moved, this, &PaymentVoucherWindow::showCurrentRow);
    m_bar->setNavigator(m_navigator);
    const QString noun = kind.navigatorNoun;
    m_bar->setCaptionText([noun](qint64 position, qint64 count) {
        return count ? QStringLiteral("%1: %2 of %3").arg(noun).arg(position).arg(count)
                     : noun + QStringLiteral(": 0");
    });
    // A failure of the navigator's own data operations is not shown; the check before a
    // move reports its own failures.
    m_bar->setMoveRunner([this](RecordNavigator::Move, const std::function<void()>& body) {
        if (!finishFieldEdit())
            return;
        try {
            body();
        } catch (const std::exception&) {
        }
    });
    connectSignals();
    installFunctionKeys(this, services, kind.helpTopic);

    guarded(m_services, m_kind.windowName, QStringLiteral("Form Load"), [this] {
        m_typeList->hide();
        m_taxAmount->setEnabled(!m_taxCode->currentText().isEmpty());
        m_navigator->open();
    });
    setWindowState(Qt::WindowMaximized);
    m_services.busy.reset();
}

PaymentVoucherWindow::~PaymentVoucherWindow() = default;

// ---- building ----------------------------------------------------------------------

QLineEdit* PaymentVoucherWindow::addLineEdit(const char* name, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLabel* PaymentVoucherWindow::addLabel(const char* name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QPushButton* PaymentVoucherWindow::addButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    // Enter in a field must not press a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void PaymentVoucherWindow::buildWindow() {
    auto* outer = new QVBoxLayout(this);

    // Pay-to block.
    m_party = new PickerComboBox(this);
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
    payGrid->addWidget(addLabel("lblPartyID", QStringLiteral("&") + m_kind.partyLabel, m_party), 0,
                       0);
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
    m_transType = addLineEdit("txtTransType");
    m_transType->setReadOnly(true);
    m_typeList = new QListWidget(this);
    m_typeList->setObjectName(QStringLiteral("lstTransType"));
    m_typeList->setFocusPolicy(Qt::NoFocus);
    m_typeList->setAccessibleName(QStringLiteral("Transaction types"));
    for (int i = 0; i < m_kind.typeCodes.size(); ++i) {
        auto* item = new QListWidgetItem(m_kind.typeTexts.value(i), m_typeList);
        item->setData(Qt::UserRole, m_kind.typeCodes.at(i));
    }
    m_transId = addLineEdit("txtTransID");
    m_datePicker = new QDateEdit(this);
    m_datePicker->setObjectName(QStringLiteral("DTPicker"));
    m_datePicker->setDisplayFormat(QStringLiteral("d MMM yyyy"));
    m_datePicker->setCalendarPopup(true);
    m_transDate = addLineEdit("txtTransDate");
    m_transDate->hide();

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
    m_desc = addLineEdit("txtTransDesc", 50);
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
    m_account = new PickerComboBox(this);
    m_account->setObjectName(QStringLiteral("cboGLOffsetAccountCode"));
    m_dept = addLineEdit("txtGLOffsetDeptCode", 6);
    m_dept->setAccessibleName(QStringLiteral("GL Department"));
    m_accountDesc = addLineEdit("txtGLOffsetAccountDesc", 30);
    m_accountDesc->setAccessibleName(QStringLiteral("GL Account Description"));
    m_base = addLineEdit("txtOffsetAmount");
    m_taxCode = new PickerComboBox(this);
    m_taxCode->setObjectName(QStringLiteral("cboGSTCode"));
    m_taxRate = addLineEdit("txtGSTRate");
    m_taxRate->setAccessibleName(QStringLiteral("Tax Rate"));
    m_taxAccount = addLineEdit("txtGSTAccountCode");
    m_taxAccount->setAccessibleName(QStringLiteral("Tax GL Account"));
    m_taxDept = addLineEdit("txtGSTDeptCode");
    m_taxDept->setAccessibleName(QStringLiteral("Tax GL Department"));
    m_taxAmount = addLineEdit("txtGSTAmount");
    m_total = addLineEdit("txtTotal");
    for (QLineEdit* edit : {m_dept, m_accountDesc, m_taxRate, m_taxAccount, m_taxDept, m_total})
        edit->setEnabled(false);
    for (QLineEdit* edit : {m_base, m_taxAmount, m_total})
        edit->setAlignment(Qt::AlignRight);

    auto* amounts = new QGridLayout;
    amounts->addWidget(addLabel("lblGLAccount", QStringLiteral("&GL A/c"), m_account), 0, 0);
    amounts->addWidget(m_account, 0, 1);
    amounts->addWidget(m_dept, 0, 2);
    amounts->addWidget(m_accountDesc, 0, 3, 1, 2);
    amounts->addWidget(addLabel("lblBaseAmount", QStringLiteral("&Base Amount"), m_base), 1, 0);
    amounts->addWidget(m_base, 1, 1);
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

    // Status, hidden columns and signatures.
    m_status = addLineEdit("txtReconciliationStatus");
    m_status->setEnabled(false);
    m_status->hide();
    m_statusMsg = addLineEdit("txtReconciliationStatusMsg");
    m_statusMsg->setEnabled(false);
    m_deBank = addLineEdit("txtDoubleEntryBank");
    m_deOffset = addLineEdit("txtDoubleEntryOffset");
    m_deGst = addLineEdit("txtDoubleEntryGST");
    for (QLineEdit* edit : {m_deBank, m_deOffset, m_deGst}) {
        edit->setEnabled(false);
        edit->hide();
    }
    m_bankAccount = addLineEdit("txtBankAccountGLAccountCode");
    m_bankDept = addLineEdit("txtBankAccountGLDeptCode");
    m_bankAccount->hide();
    m_bankDept->hide();

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
    m_bar = new NavigatorBar(this);
    m_bar->setObjectName(QStringLiteral("Adodc1"));
    m_add = addButton("cmdAdd", QStringLiteral("&Add"));
    m_save = addButton("cmdSave", QStringLiteral("&Save"));
    m_undo = addButton("cmdUndo", QStringLiteral("&Undo"));
    m_delete = addButton("cmdDelete", QStringLiteral("&Delete"));
    m_find = addButton("cmdFindByPV", QStringLiteral("&Find"));
    m_find->setToolTip(m_kind.findCaption);
    m_close = addButton("cmdClose", QStringLiteral("&Close"));
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_bar, 2);
    for (QPushButton* button : {m_add, m_save, m_undo, m_delete, m_find, m_close})
        commands->addWidget(button);
    outer->addLayout(commands);

    // Tab order: the fields in the order of the printed voucher, then the commands.
    QWidget* order[] = {m_party,   m_transType, m_transId, m_datePicker, m_desc, m_memo,
                        m_account, m_base,      m_taxCode, m_taxAmount,  m_add,  m_save,
                        m_undo,    m_delete,    m_find,    m_close,      m_bar};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void PaymentVoucherWindow::connectSignals() {
    for (QWidget* watched :
         std::initializer_list<QWidget*>{m_party, m_transType, m_transId, m_desc, m_memo, m_account,
                                         m_base, m_taxCode, m_taxAmount})
        watched->installEventFilter(this);

    auto markDirty = [this] {
        if (m_binding == 0)
            m_dirty = true;
    };
    // Every field bound to a column; the status word is not one.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (edit->parent() == this && edit != m_statusMsg)
            connect(edit, &QLineEdit::textChanged, this, markDirty);
    for (PickerComboBox* combo : {m_party, m_account, m_taxCode})
        connect(combo, &QComboBox::editTextChanged, this, markDirty);
    connect(m_memo, &QPlainTextEdit::textChanged, this, markDirty);

    connect(m_party, &PickerComboBox::dropDownRequested, this,
            &PaymentVoucherWindow::partyDropDown);
    connect(m_account, &PickerComboBox::dropDownRequested, this,
            &PaymentVoucherWindow::accountDropDown);
    connect(m_taxCode, &PickerComboBox::dropDownRequested, this,
            &PaymentVoucherWindow::taxDropDown);
    connect(m_taxCode, &QComboBox::editTextChanged, this, &PaymentVoucherWindow::taxCodeChanged);
    connect(m_typeList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseType(m_typeList->row(item)); });
    connect(m_datePicker, &QDateEdit::dateChanged, this, &PaymentVoucherWindow::datePicked);
    connect(m_transDate, &QLineEdit::textChanged, this, &PaymentVoucherWindow::dateTextChanged);
    connect(m_status, &QLineEdit::textChanged, this, [this] {
        guarded(m_services, m_kind.windowName, QStringLiteral("txtReconciliationStatus Change"),
                [this] { statusDisplay(); });
    });

    connect(m_add, &QPushButton::clicked, this,
            [this] { runCommand(QStringLiteral("cmdAdd"), [this] { cmdAdd(); }); });
    connect(m_save, &QPushButton::clicked, this,
            [this] { runCommand(QStringLiteral("cmdSave"), [this] { cmdSave(); }); });
    connect(m_undo, &QPushButton::clicked, this,
            [this] { runCommand(QStringLiteral("cmdUndo"), [this] { cmdUndo(); }); });
    connect(m_delete, &QPushButton::clicked, this,
            [this] { runCommand(QStringLiteral("cmdDelete"), [this] { cmdDelete(); }); });
    connect(m_find, &QPushButton::clicked, this,
            [this] { runCommand(m_kind.findRoutine, [this] { cmdFind(); }); });
    connect(m_close, &QPushButton::clicked, this,
            [this] { runCommand(QStringLiteral("cmdClose"), [this] { cmdClose(); }); });
}

// ---- fields ------------------------------------------------------------------------

VoucherFields PaymentVoucherWindow::readFields() const {
    VoucherFields f;
    f.party = m_party->currentText();
    f.partyName = m_partyName->text();
    f.address1 = m_address[0]->text();
    f.address2 = m_address[1]->text();
    f.address3 = m_address[2]->text();
    f.address4 = m_address[3]->text();
    f.postalCode = m_postalCode->text();
    f.transType = m_transType->text();
    f.transId = m_transId->text();
    f.transDate = m_transDate->text();
    f.transDesc = m_desc->text();
    f.transDescMemo = m_memo->toPlainText();
    f.accountCode = m_account->currentText();
    f.deptCode = m_dept->text();
    f.accountDesc = m_accountDesc->text();
    f.baseAmount = m_base->text();
    f.taxCode = m_taxCode->currentText();
    f.taxRate = m_taxRate->text();
    f.taxAccount = m_taxAccount->text();
    f.taxDept = m_taxDept->text();
    f.taxAmount = m_taxAmount->text();
    f.total = m_total->text();
    f.status = m_status->text();
    f.doubleEntryBank = m_deBank->text();
    f.doubleEntryOffset = m_deOffset->text();
    f.doubleEntryGst = m_deGst->text();
    f.bankAccount = m_bankAccount->text();
    f.bankDept = m_bankDept->text();
    return f;
}

void PaymentVoucherWindow::writeFields(const VoucherFields& f) {
    m_party->setEditText(f.party);
    m_partyName->setText(f.partyName);
    m_address[0]->setText(f.address1);
    m_address[1]->setText(f.address2);
    m_address[2]->setText(f.address3);
    m_address[3]->setText(f.address4);
    m_postalCode->setText(f.postalCode);
    m_transType->setText(f.transType);
    m_transId->setText(f.transId);
    m_transDate->setText(f.transDate);
    m_desc->setText(f.transDesc);
    if (m_memo->toPlainText() != f.transDescMemo)
        m_memo->setPlainText(f.transDescMemo);
    m_account->setEditText(f.accountCode);
    m_dept->setText(f.deptCode);
    m_accountDesc->setText(f.accountDesc);
    m_base->setText(f.baseAmount);
    m_taxCode->setEditText(f.taxCode);
    m_taxRate->setText(f.taxRate);
    m_taxAccount->setText(f.taxAccount);
    m_taxDept->setText(f.taxDept);
    m_taxAmount->setText(f.taxAmount);
    m_total->setText(f.total);
    m_deBank->setText(f.doubleEntryBank);
    m_deOffset->setText(f.doubleEntryOffset);
    m_deGst->setText(f.doubleEntryGst);
    m_bankAccount->setText(f.bankAccount);
    m_bankDept->setText(f.bankDept);
    // Last, so that the status display sees the rest of the row in place.
    m_status->setText(f.status);
}

QWidget* PaymentVoucherWindow::field(const QString& name) const {
    return findChild<QWidget*>(name);
}

void PaymentVoucherWindow::focusField(const QString& name) {
    if (QWidget* widget = field(name))
        widget->setFocus(Qt::OtherFocusReason);
}

// ---- the shown row -----------------------------------------------------------------

void PaymentVoucherWindow::showCurrentRow() {
    guarded(m_services, m_kind.windowName, QStringLiteral("MoveComplete"), [this] {
        {
            BindingScope binding(m_binding);
            if (m_navigator->hasCurrent() && !m_navigator->isAdding())
                writeFields(VoucherFields::fromRecord(m_navigator->record(), m_kind));
            else
                writeFields(VoucherFields());
            statusDisplay();
        }
        m_dirty = m_navigator->isAdding();
        m_fieldRefused = false;
        if (m_navigator->isEmpty())
            PreventDataEntry(true);
    });
}

void PaymentVoucherWindow::statusDisplay() {
    const QString status = m_status->text();
    m_statusMsg->setText(Codes::statusWord(status));
    const bool locked =
        status == Codes::Reconciled || status == Codes::Reversed || status == Codes::Void;
    PreventDataEntry(locked);
}

void PaymentVoucherWindow::PreventDataEntry(bool lock) {
    guarded(m_services, m_kind.windowName, QStringLiteral("PreventDataEntry"), [this, lock] {
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 m_party, m_transType, m_transId, m_transDate, m_datePicker, m_desc, m_memo,
                 m_account, m_base, m_taxCode, m_taxAmount, m_delete, m_undo, m_save})
            widget->setEnabled(!lock);
        m_add->setEnabled(true);
        m_find->setEnabled(true);
        m_bar->setEnabled(true);
        if (lock)
            showTypeList(false);
        update();
    });
}

void PaymentVoucherWindow::formActivate() {
    guarded(m_services, m_kind.windowName, QStringLiteral("Form Activate"), [this] {
        if (m_navigator->isEmpty()) {
            PreventDataEntry(true);
            m_add->setFocus(Qt::OtherFocusReason);
        }
    });
}

bool PaymentVoucherWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        formActivate();
    return QDialog::event(event);
}

bool PaymentVoucherWindow::beforeMove(int) {
    if (m_fieldRefused)
        return false;
    bool allowed = false;
    guarded(m_services, m_kind.windowName, QStringLiteral("Adodc1 WillMove"), [this, &allowed] {
        if (!Validated(false)) {
            m_services.prompts.critical(VoucherRules::moveRefusedMessage());
            Validated(true);
            return;
        }
        // A changed row that passes the check is written as Save writes it, so that its
        // amounts and its double entry never disagree.
        allowed = !m_dirty || storedRowLocked() || storeCurrentRow();
    });
    return allowed;
}

// A reconciled, reversed or void row is never written by this window, whatever its fields hold.
bool PaymentVoucherWindow::storedRowLocked() const {
    if (!m_navigator->hasCurrent() || m_navigator->isAdding())
        return false;
    const QString status = m_navigator->value(QStringLiteral("TransStatus")).toString();
    return status == Codes::Reconciled || status == Codes::Reversed || status == Codes::Void;
}

bool PaymentVoucherWindow::Validated(bool showMessages) {
    bool valid = false;
    guarded(m_services, m_kind.windowName, QStringLiteral("Validated"),
            [this, showMessages, &valid] {
                VoucherFields fields = readFields();
                const VoucherRules::Settings settings = readSettings();
                const std::optional<VoucherRules::Refusal> refusal =
                    VoucherRules::validate(m_kind, fields, settings, m_services.clock.today());
                {
                    // The normalisations are part of the row only when it is written.
                    BindingScope binding(m_binding);
                    writeFields(fields);
                }
                if (refusal) {
                    if (showMessages)
                        m_services.prompts.critical(refusal->message);
                    focusField(refusal->field);
                    return;
                }
                valid = true;
            });
    return valid;
}

VoucherRules::Settings PaymentVoucherWindow::readSettings() {
    VoucherRules::Settings s;
    s.bankAccount = mrLookupText(m_services, Settings::BankAccount, Settings::Code);
    s.bankDept = mrLookupText(m_services, Settings::BankAccount, Settings::Dept);
    s.integrateWithAP =
        Settings::isTrue(mrLookup(m_services, Settings::IntegrateWithAP, Settings::Plain));
    s.apControl = mrLookupText(m_services, Settings::APControl, Settings::Code);
    s.integrateWithAR =
        Settings::isTrue(mrLookup(m_services, Settings::IntegrateWithAR, Settings::Plain));
    s.arControl = mrLookupText(m_services, Settings::ARControl, Settings::Code);
    return s;
}

// ---- field rules -------------------------------------------------------------------

bool PaymentVoucherWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (m_refocus && widget != m_refocus)
            break;
        if (widget == m_refocus)
            m_refocus = nullptr;
        fieldGotFocus(widget);
        break;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (widget == m_transType && reason != Qt::PopupFocusReason)
            guarded(m_services, m_kind.windowName, QStringLiteral("txtTransType LostFocus"),
                    [this] { showTypeList(false); });
        if (m_refocus || !isLeaving(reason))
            break;
        leaveField(widget, true);
        break;
    }
    case QEvent::KeyPress:
        if (widget == m_transType && m_transType->isEnabled()) {
            auto* key = static_cast<QKeyEvent*>(event);
            int row = m_typeList->currentRow();
            switch (key->key()) {
            case Qt::Key_Down:
                chooseType(qMin(row + 1, m_typeList->count() - 1));
                return true;
            case Qt::Key_Up:
                chooseType(qMax(row - 1, 0));
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                chooseType(qMax(row, 0));
                return true;
            default:
                for (int i = 0; i < m_kind.typeCodes.size(); ++i)
                    if (!key->text().isEmpty() && key->text() == m_kind.typeCodes.at(i)) {
                        chooseType(i);
                        return true;
                    }
                break;
            }
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void PaymentVoucherWindow::fieldGotFocus(QWidget* widget) {
    const QString routine = widget->objectName() + QStringLiteral(" GotFocus");
    guarded(m_services, m_kind.windowName, routine, [this, widget] {
        if (widget == m_transType) {
            showTypeList(true);
            m_transType->selectAll();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->selectAll();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            if (widget == m_party && combo->lineEdit())
                combo->lineEdit()->selectAll();
        } else if (widget == m_memo) {
            m_memo->selectAll();
        }
    });
}

void PaymentVoucherWindow::refuseField(QWidget* widget, bool focusLeaving) {
    m_fieldRefused = true;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    if (focusLeaving) {
        m_refocus = widget;
        QTimer::singleShot(0, this, &PaymentVoucherWindow::restoreFocus);
    }
}

void PaymentVoucherWindow::restoreFocus() {
    QWidget* widget = m_refocus;
    if (!widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    m_refocus = nullptr;
}

// Step 13: a non-empty amount must be a number, and a negative one needs a Yes.
bool PaymentVoucherWindow::amountCheck(QLineEdit* edit, const QString& routine) {
    bool passed = true;
    guarded(m_services, m_kind.windowName, routine, [this, edit, &passed] {
        const QString text = edit->text();
        if (Money::isBlank(text))
            return;
        const std::optional<Money> value = Money::parse(text);
        if (!value) {
            m_services.prompts.critical(VoucherRules::notANumberMessage());
            passed = false;
            return;
        }
        if (*value < Money() && !m_services.prompts.ask(VoucherRules::negativeAmountQuestion()))
            passed = false;
    });
    return passed;
}

bool PaymentVoucherWindow::leaveField(QWidget* widget, bool focusLeaving) {
    const QString& form = m_kind.windowName;
    if (widget == m_base || widget == m_taxAmount) {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (!amountCheck(edit, edit->objectName() + QStringLiteral(" Validate"))) {
            refuseField(widget, focusLeaving);
            return false;
        }
        m_fieldRefused = false;
        if (widget == m_base) {
            guarded(m_services, form, QStringLiteral("txtOffsetAmount LostFocus"), [this] {
                if (Money::isBlank(m_base->text())) {
                    m_taxCode->setEditText(QString());
                    for (QLineEdit* edit :
                         {m_taxRate, m_taxAccount, m_taxDept, m_taxAmount, m_total})
                        edit->clear();
                    return;
                }
                m_taxAmount->clear();
                m_total->clear();
                const QString rate = m_taxRate->text();
                if (!rate.isEmpty()) {
                    if (const std::optional<double> number = VoucherRules::rateNumber(rate)) {
                        m_taxAmount->setText(
                            *number == 0.0 ? QStringLiteral("0")
                                           : VoucherRules::taxAmountText(m_base->text(), rate));
                    } else {
                        // A stored row shows its rate as a percentage.
                        m_taxRate->setText(VoucherRules::rateFromShown(rate));
                        m_taxAmount->setText(
                            VoucherRules::taxAmountText(m_base->text(), m_taxRate->text()));
                    }
                }
                recomputeTotal();
            });
        } else {
            guarded(m_services, form, QStringLiteral("txtGSTAmount LostFocus"), [this] {
                if (!Money::isBlank(m_base->text()))
                    recomputeTotal();
            });
        }
        return true;
    }
    if (widget == m_party) {
        guarded(m_services, form, m_kind.partyField + QStringLiteral(" LostFocus"), [this] {
            const QString code = m_party->currentText();
            if (!code.isEmpty() && !m_store.partyExists(code)) {
                m_services.prompts.critical(m_kind.unknownPartyMessage);
                m_party->setEditText(QString());
            }
        });
        return true;
    }
    if (widget == m_account) {
        bool passed = true;
        guarded(m_services, form, QStringLiteral("cboGLOffsetAccountCode LostFocus"),
                [this, &passed] {
                    const QString code = m_account->currentText();
                    if (!code.isEmpty() && !m_store.accountExists(code)) {
                        m_services.prompts.critical(
                            QStringLiteral("That Account Code is unknown.\r\n\r\nPlease "
                                           "select from an existing Account Code, \r\nor "
                                           "create a new one."));
                        m_account->setEditText(QString());
                        passed = false;
                    }
                });
        if (!passed) {
            refuseField(widget, focusLeaving);
            return false;
        }
        m_fieldRefused = false;
        return true;
    }
    if (widget == m_taxCode) {
        guarded(m_services, form, QStringLiteral("cboGSTCode LostFocus"), [this] {
            if (m_taxCode->currentText().isEmpty())
                for (QLineEdit* edit : {m_taxRate, m_taxAccount, m_taxDept, m_taxAmount})
                    edit->clear();
        });
        return true;
    }
    if (widget == m_transId) {
        // While adding, a number any transaction of the book already has is refused here,
        // at the field, rather than by the book at Save.
        bool passed = true;
        guarded(m_services, form, QStringLiteral("txtTransID Validate"), [this, &passed] {
            const QString number = m_transId->text();
            if (m_navigator->isAdding() && !number.isEmpty() && m_store.transIdExists(number)) {
                m_services.prompts.critical(VoucherRules::duplicateNumberMessage());
                m_transId->clear();
                passed = false;
            }
        });
        if (!passed) {
            refuseField(widget, focusLeaving);
            return false;
        }
        m_fieldRefused = false;
        return true;
    }
    return true;
}

// Commands and keyboard moves run while the focus may still be in a field: that field is
// left first, as a click elsewhere would leave it.
bool PaymentVoucherWindow::finishFieldEdit() {
    if (m_refocus)
        return false;
    QWidget* focused = focusWidget();
    if (focused && focused != m_party && focused->parentWidget() == m_party)
        focused = m_party;
    for (QWidget* candidate : std::initializer_list<QWidget*>{m_base, m_taxAmount, m_account,
                                                              m_transId, m_party, m_taxCode})
        if (focused == candidate && focused->hasFocus())
            return leaveField(focused, false);
    return !m_fieldRefused;
}

void PaymentVoucherWindow::recomputeTotal() {
    m_total->setText(VoucherRules::totalText(m_base->text(), m_taxAmount->text()));
}

void PaymentVoucherWindow::showTypeList(bool show) {
    if (!show) {
        m_typeList->hide();
        return;
    }
    const QPoint below = m_transType->mapTo(this, QPoint(0, m_transType->height()));
    const int rowHeight = m_typeList->sizeHintForRow(0) > 0 ? m_typeList->sizeHintForRow(0) : 18;
    m_typeList->setGeometry(below.x(), below.y(), qMax(m_transType->width(), 180),
                            rowHeight * m_typeList->count() + 2 * m_typeList->frameWidth() + 2);
    const int current = m_kind.typeCodes.indexOf(m_transType->text());
    m_typeList->setCurrentRow(current);
    m_typeList->show();
    m_typeList->raise();
}

void PaymentVoucherWindow::chooseType(int row) {
    guarded(m_services, m_kind.windowName, QStringLiteral("lstTransType Click"), [this, row] {
        if (row < 0 || row >= m_typeList->count() || !m_transType->isEnabled())
            return;
        m_typeList->setCurrentRow(row);
        const QString code = m_typeList->item(row)->data(Qt::UserRole).toString();
        m_transType->setText(code);
        m_transType->selectAll();
        if (code == m_kind.clearingType) {
            // A payment integrated with accounts payable is posted against the clearing account.
            const int key = m_kind.clearingSettingKey;
            m_account->setEditText(mrLookupText(m_services, key, Settings::Code));
            m_dept->setText(mrLookupText(m_services, key, Settings::Dept));
            m_accountDesc->setText(mrLookupText(m_services, key, Settings::Description));
        } else {
            m_account->setEditText(QString());
            m_dept->clear();
            m_accountDesc->clear();
        }
    });
}

void PaymentVoucherWindow::partyDropDown() {
    guarded(m_services, m_kind.windowName, m_kind.partyField + QStringLiteral(" DropDown"), [this] {
        if (!m_party->isEnabled())
            return;
        m_services.lookup.clear(1, 7);
        if (m_pickers.party(m_services, this)) {
            const LookupTransfer& v = m_services.lookup;
            m_party->setEditText(v.LookupValue1);
            m_partyName->setText(v.LookupValue2);
            m_address[0]->setText(v.LookupValue3);
            m_address[1]->setText(v.LookupValue4);
            m_address[2]->setText(v.LookupValue5);
            m_address[3]->setText(v.LookupValue6);
            m_postalCode->setText(v.LookupValue7);
        }
        m_transType->setFocus(Qt::OtherFocusReason);
    });
}

void PaymentVoucherWindow::accountDropDown() {
    guarded(m_services, m_kind.windowName, QStringLiteral("cboGLOffsetAccountCode DropDown"),
            [this] {
                if (!m_account->isEnabled())
                    return;
                m_services.lookup.clear(1, 3);
                if (m_pickers.account(m_services, this)) {
                    const LookupTransfer& v = m_services.lookup;
                    m_account->setEditText(v.LookupValue1);
                    m_dept->setText(v.LookupValue2);
                    m_accountDesc->setText(v.LookupValue3);
                    m_bankAccount->setText(
                        mrLookupText(m_services, Settings::BankAccount, Settings::Code));
                    m_bankDept->setText(
                        mrLookupText(m_services, Settings::BankAccount, Settings::Dept));
                }
                m_base->setFocus(Qt::OtherFocusReason);
            });
}

void PaymentVoucherWindow::taxDropDown() {
    guarded(m_services, m_kind.windowName, QStringLiteral("cboGLOffsetAccountCode DropDown"),
            [this] {
                if (!m_taxCode->isEnabled())
                    return;
                m_services.lookup.clear(4, 7);
                if (!m_pickers.tax(m_services, this)) {
                    m_taxAmount->setEnabled(false);
                    m_party->setFocus(Qt::OtherFocusReason);
                    return;
                }
                const LookupTransfer& v = m_services.lookup;
                m_taxCode->setEditText(v.LookupValue4);
                if (!v.LookupValue5.isEmpty())
                    m_taxRate->setText(VoucherRules::rateFromShown(v.LookupValue5));
                m_taxAccount->setText(v.LookupValue6);
                m_taxDept->setText(v.LookupValue7);
                if (!m_base->text().isEmpty()) {
                    m_taxAmount->clear();
                    if (!m_taxRate->text().isEmpty())
                        m_taxAmount->setText(
                            VoucherRules::taxAmountText(m_base->text(), m_taxRate->text()));
                }
                m_taxAmount->setEnabled(true);
                m_taxAmount->setFocus(Qt::OtherFocusReason);
            });
}

void PaymentVoucherWindow::taxCodeChanged() {
    guarded(m_services, m_kind.windowName, QStringLiteral("cboGSTCode Change"),
            [this] { m_taxAmount->setEnabled(!m_taxCode->currentText().isEmpty()); });
}

void PaymentVoucherWindow::datePicked() {
    if (m_binding)
        return;
    guarded(m_services, m_kind.windowName, m_kind.datePickerRoutine,
            [this] { m_transDate->setText(Codes::dateToStored(m_datePicker->date())); });
}

void PaymentVoucherWindow::dateTextChanged() {
    guarded(m_services, m_kind.windowName, QStringLiteral("txtTransDate Change"), [this] {
        const QString text = m_transDate->text();
        QDate date = text.isEmpty() ? m_services.clock.today() : Codes::dateFromStored(text);
        if (!date.isValid())
            date = m_services.clock.today();
        // Setting the picker is not a pick: it must not write the field back.
        BindingScope binding(m_binding);
        m_datePicker->setDate(date);
    });
}

// ---- commands ----------------------------------------------------------------------

void PaymentVoucherWindow::runCommand(const QString& routine, const std::function<void()>& body) {
    if (!finishFieldEdit())
        return;
    guarded(m_services, m_kind.windowName, routine, body);
}

std::optional<qint32> PaymentVoucherWindow::readNextNumber() {
    std::optional<qint32> number;
    guarded(m_services, m_kind.windowName, m_kind.counterRoutine, [this, &number] {
        m_nextNumber = m_store.readCounter();
        number = m_nextNumber;
    });
    return number;
}

void PaymentVoucherWindow::cmdAdd() {
    // Changes to the shown row are not dropped by Add: they are written as a move writes them.
    if (m_navigator->hasCurrent() && !m_navigator->isAdding() && m_dirty && !beforeMove(-1))
        return;
    m_navigator->add();
    PreventDataEntry(false);
    m_add->setEnabled(false);
    m_delete->setEnabled(false);
    m_find->setEnabled(false);
    m_bar->setEnabled(false);
    m_transType->setText(m_kind.defaultType);
    m_transDate->setText(Codes::dateToStored(m_services.clock.today()));
    m_bankAccount->setText(mrLookupText(m_services, Settings::BankAccount, Settings::Code));
    m_bankDept->setText(mrLookupText(m_services, Settings::BankAccount, Settings::Dept));
    // A counter that cannot be read has been reported; the number is then typed.
    if (const std::optional<qint32> number = readNextNumber()) {
        if (m_services.prompts.ask(VoucherRules::offerQuestion(m_kind, *number),
                                   Prompts::Answer::Yes)) {
            m_transId->setText(QString::number(*number));
            m_nextNumberAccepted = true;
        } else {
            // A refused offer is not an acceptance for a later row.
            m_nextNumberAccepted = false;
        }
    }
    m_party->setFocus(Qt::OtherFocusReason);
}

bool PaymentVoucherWindow::storeCurrentRow() {
    const VoucherFields before = readFields();
    const VoucherRules::DoubleEntry entry =
        VoucherRules::doubleEntry(m_kind, before.total, before.baseAmount, before.taxAmount);
    {
        BindingScope binding(m_binding);
        m_deBank->setText(entry.bank.toPlainString());
        m_deOffset->setText(entry.offset.toPlainString());
        m_deGst->setText(entry.tax.toPlainString());
        m_status->setText(Codes::Outstanding);
    }
    const VoucherFields fields = readFields();
    // The counter moves on only for the row that carries the number offered and accepted.
    const bool advance = m_nextNumberAccepted && fields.transId == QString::number(m_nextNumber);
    std::optional<qint32> counter;
    if (advance) {
        if (m_nextNumber == std::numeric_limits<qint32>::max())
            throw Failure(6, QStringLiteral("Overflow"));
        counter = m_nextNumber + 1;
    }
    const QString originalKey =
        m_navigator->isAdding() ? QString() : m_navigator->currentKey().value(0).toString();
    try {
        m_store.save(fields, originalKey, counter);
    } catch (const Failure& failure) {
        if (!failure.isDuplicateKey())
            throw;
        m_services.prompts.critical(VoucherRules::duplicateNumberMessage());
        m_transId->clear();
        m_transId->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // The acceptance belonged to the row just written, whatever number it carries.
    m_nextNumberAccepted = false;
    m_dirty = false;
    m_navigator->rowSaved(fields.transId);
    return true;
}

void PaymentVoucherWindow::cmdSave() {
    if (!m_navigator->hasCurrent()) {
        m_services.prompts.information(QStringLiteral("There is no record to save."));
        return;
    }
    if (storedRowLocked())
        return;
    if (!Validated(true))
        return;
    if (!m_services.prompts.ask(m_kind.saveQuestion, Prompts::Answer::Yes)) {
        m_services.prompts.information(QStringLiteral("Not saved."));
        return;
    }
    if (!storeCurrentRow())
        return;
    m_services.prompts.information(QStringLiteral("Saved."));
}

void PaymentVoucherWindow::cmdUndo() {
    if (m_navigator->isEmpty())
        return;
    // Whatever was accepted for the dropped row is not accepted for the next one.
    m_nextNumberAccepted = false;
    m_navigator->undo();
}

void PaymentVoucherWindow::cmdDelete() {
    if (m_navigator->isEmpty()) {
        m_services.prompts.information(QStringLiteral("There are no records to delete."));
        return;
    }
    if (m_status->text().trimmed().toInt() != 1) {
        m_services.prompts.information(
            QStringLiteral("Cannot delete when Reconciliation Status\r\nis not Outstanding."));
        return;
    }
    if (!m_services.prompts.ask(QStringLiteral("Are you sure?"), Prompts::Answer::No))
        return;
    m_navigator->deleteCurrent();
    if (m_navigator->hasCurrent() && m_navigator->count() > 1 && !m_navigator->next())
        throw moveCancelled();
}

void PaymentVoucherWindow::cmdFind() {
    m_services.lookup.FindResult.clear();
    const std::optional<QString> found =
        m_pickers.find(m_services, this, m_kind.findCaption, m_kind.findQuery);
    if (!found || found->isEmpty())
        return;
    if (m_navigator->hasCurrent() && !m_navigator->first())
        throw moveCancelled();
    if (m_navigator->moveToKey(*found))
        return;
    m_services.prompts.critical(m_kind.notFoundLabel + *found + QStringLiteral(" was not found."));
    if (m_navigator->hasCurrent() && !m_navigator->last())
        throw moveCancelled();
}

bool PaymentVoucherWindow::mayClose(const QString& routine) {
    bool close = false;
    guarded(m_services, m_kind.windowName, routine, [this, &close] {
        if (!m_navigator->hasCurrent()) {
            close = true;
            return;
        }
        if (!Validated(false)) {
            if (m_services.prompts.ask(VoucherRules::closeQuestion(), Prompts::Answer::No)) {
                close = true;
                return;
            }
            Validated(true);
            return;
        }
        // A changed row that passes the check is written, not dropped.
        close = !m_dirty || storedRowLocked() || storeCurrentRow();
    });
    return close;
}

void PaymentVoucherWindow::cmdClose() {
    if (!mayClose(QStringLiteral("cmdClose")))
        return;
    m_closing = true;
    done(QDialog::Accepted);
}

void PaymentVoucherWindow::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
        return;
    }
    if (!finishFieldEdit() || !mayClose(QStringLiteral("Form QueryUnload"))) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    QDialog::closeEvent(event);
}

void PaymentVoucherWindow::reject() {
    if (m_closing) {
        QDialog::reject();
        return;
    }
    // Escape undoes changes to the shown row; with nothing to undo it closes the window the
    // way its close box does.
    if (m_dirty || m_navigator->isAdding()) {
        m_fieldRefused = false;
        m_refocus = nullptr;
        guarded(m_services, m_kind.windowName, QStringLiteral("cmdUndo"), [this] { cmdUndo(); });
        return;
    }
    if (!finishFieldEdit() || !mayClose(QStringLiteral("Form QueryUnload")))
        return;
    m_closing = true;
    QDialog::reject();
}
