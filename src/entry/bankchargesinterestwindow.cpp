#include "bankchargesinterestwindow.h"

#include "entry/bankentryrules.h"
#include "kit/lookupcombobox.h"
#include "kit/navigatorbar.h"
#include "kit/services.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CashbookEntryWindow::Setup BankChargesInterestWindow::setup() {
    Setup s;
    s.windowName = QStringLiteral("frmBankChargesInterest");
    s.caption = QStringLiteral("Bank Charges, Interest, Miscellaneous");
    s.helpTopic = QStringLiteral("frmBankChargesInterest");
    s.navigatorNoun = QStringLiteral("BC/Int/Misc");
    s.filter = QStringLiteral(R"("TransType" IN ('5','6','7'))");
    s.typeCodes = BankEntryRules::typeCodes();
    s.typeTexts = BankEntryRules::typeTexts();
    s.defaultType = BankEntryRules::defaultType();
    s.findRoutine = QStringLiteral("cmdFindByPV");
    s.findCaption = QStringLiteral("Type Bank Charge / Interest / Misc ID to find");
    s.findQuery =
        QStringLiteral(R"(SELECT "TransID" FROM "tblCashbook" WHERE "tblCashbook"."TransType" IN )"
                       R"(('5','6','7')ORDER BY "TransID")");
    s.notFoundLabel = QStringLiteral("Bank Charge / Interest / Misc ID ");
    s.datePickerRoutine = QStringLiteral("DTPicker");
    s.saveQuestion =
        QStringLiteral("The Transaction has passed validation. \r\n\r\nDo you wish to save?");
    // The sign is the direction: a negative amount is money received.
    s.askNegativeAmount = false;
    return s;
}

BankChargesInterestWindow::BankChargesInterestWindow(Services& services, QWidget* parent)
    : CashbookEntryWindow(services, setup(), parent) {
    buildWindow();
    finishSetup();
}

BankChargesInterestWindow::~BankChargesInterestWindow() = default;

void BankChargesInterestWindow::buildWindow() {
    // The small find button beside the ID.
    m_find->setText(QStringLiteral("&F"));
    m_find->setAccessibleName(QStringLiteral("Find"));
    m_find->setMaximumWidth(m_find->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 12);

    auto* hint = new QLabel(
        QStringLiteral("Positive Number for Payment / Negative Number for Receipt"), this);
    hint->setObjectName(QStringLiteral("lblAmountHint"));

    auto* grid = new QGridLayout;
    grid->addWidget(addLabel("lblTransType", QStringLiteral("Trans T&ype"), m_transType), 0, 0);
    grid->addWidget(m_transType, 0, 1);
    grid->addWidget(addLabel("lblTransID", QStringLiteral("Trans &ID"), m_transId), 1, 0);
    grid->addWidget(m_transId, 1, 1);
    grid->addWidget(m_find, 1, 2, Qt::AlignLeft);
    grid->addWidget(addLabel("lblDate", QStringLiteral("Da&te"), m_datePicker), 2, 0);
    grid->addWidget(m_datePicker, 2, 1);
    grid->addWidget(addLabel("lblTransDesc", QStringLiteral("D&esc"), m_desc), 3, 0);
    grid->addWidget(m_desc, 3, 1, 1, 3);
    grid->addWidget(addLabel("lblAmount", QStringLiteral("A&mount"), m_amount), 4, 0);
    grid->addWidget(m_amount, 4, 1);
    grid->addWidget(hint, 4, 2, 1, 2);
    grid->addWidget(addLabel("lblGLAccount", QStringLiteral("&GL A/c"), m_account), 5, 0);
    grid->addWidget(m_account, 5, 1);
    grid->addWidget(m_dept, 5, 2);
    grid->addWidget(m_accountDesc, 5, 3);
    grid->addWidget(
        addLabel("lblReconciliationStatus", QStringLiteral("Reconciliation Status"), m_statusMsg),
        6, 0);
    grid->addWidget(m_statusMsg, 6, 1);
    grid->setColumnStretch(3, 1);

    // The total is the bank amount, which always equals the amount here: kept, not shown.
    m_total->hide();

    auto* commands = new QHBoxLayout;
    commands->addWidget(m_bar, 2);
    for (QPushButton* button : {m_add, m_save, m_undo, m_delete, m_close})
        commands->addWidget(button);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addStretch(1);
    outer->addLayout(commands);

    QWidget* order[] = {m_transType, m_transId, m_find, m_datePicker, m_desc,  m_amount, m_account,
                        m_add,       m_save,    m_undo, m_delete,     m_close, m_bar};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    using F = BankEntryFields;
    using enum FieldBindings::Conversion;
    m_fields = {{m_transType, &F::transType, Text},
                {m_transId, &F::transId, Text},
                {m_transDate, &F::transDate, Text},
                {m_desc, &F::transDesc, Text},
                {m_amount, &F::amount, Amount},
                {m_total, &F::total, Amount},
                {m_account, &F::accountCode, EditText},
                {m_dept, &F::deptCode, Text},
                {m_accountDesc, &F::accountDesc, Text},
                {m_deBank, &F::doubleEntryBank, Amount},
                {m_deOffset, &F::doubleEntryOffset, Amount},
                {m_bankAccount, &F::bankAccount, Text},
                {m_bankDept, &F::bankDept, Text},
                // Last, so that the status display sees the rest of the row in place.
                {m_status, &F::status, Text}};
}

QList<QWidget*> BankChargesInterestWindow::entryFields() const {
    return {m_transType, m_transId, m_transDate, m_datePicker, m_desc, m_account, m_amount};
}

void BankChargesInterestWindow::showRow(const QSqlRecord* record) {
    m_bindings.write(m_fields, record ? BankEntryFields::fromRecord(*record) : BankEntryFields());
}

std::optional<EntryRules::Refusal>
BankChargesInterestWindow::checkRow(const EntryRules::Settings& settings) {
    BankEntryFields fields = m_bindings.read(m_fields);
    const std::optional<EntryRules::Refusal> refusal =
        BankEntryRules::validate(fields, settings, m_services.clock.today());
    m_bindings.write(m_fields, fields);
    return refusal;
}

std::optional<EntryRules::Refusal>
BankChargesInterestWindow::writeRefusal(const EntryRules::Settings& settings) const {
    return BankEntryRules::writeRefusal(m_bindings.read(m_fields), settings);
}

void BankChargesInterestWindow::amountLeft() {
    // The derived amounts follow the amount; they are not changes of their own.
    Binding binding(*this);
    writeDerived();
}

void BankChargesInterestWindow::beginRow() {
    m_transType->setFocus(Qt::OtherFocusReason);
}

void BankChargesInterestWindow::prepareForSave() {
    writeDerived();
}

void BankChargesInterestWindow::writeDerived() {
    BankEntryFields fields;
    fields.amount = m_bindings.amountText(m_amount);
    BankEntryRules::setDerived(fields);
    m_bindings.setAmountText(m_total, fields.total);
    m_bindings.setAmountText(m_deOffset, fields.doubleEntryOffset);
    m_bindings.setAmountText(m_deBank, fields.doubleEntryBank);
}

QVariantMap BankChargesInterestWindow::rowColumns() const {
    return m_bindings.read(m_fields).toColumns();
}
