#include "bankglaccountcodewindow.h"

#include "masters/lookups.h"
#include "reconciliation/bankglaccountrow.h"
#include "reconciliation/lookupcombobox.h"
#include "reconciliation/selectallonfocus.h"
#include "shell/buttonrow.h"
#include "shell/handlerguard.h"
#include "shell/mrlookup.h"
#include "shell/services.h"
#include "shell/shellprocs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kForm = QStringLiteral("frmBankGLAccountCode");

} // namespace

BankGlAccountCodeWindow::BankGlAccountCodeWindow(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services),
      m_chooser([this](QWidget* owner) { lookupChartOfAccounts(m_services, owner); }) {
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("Bank GL Account Code"));
    buildWindow();
    guarded(m_services, kForm, QStringLiteral("Form Load"), [this] {
        LimitCBText(m_services, m_account, 6);
        installFunctionKeys(this, m_services, kForm);
        load();
    });
}

void BankGlAccountCodeWindow::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    m_account = new LookupComboBox(this);
    m_account->setObjectName(QStringLiteral("cboAccountCode"));
    m_account->setAccessibleName(QStringLiteral("Bank Account Code"));
    SelectAllOnFocus::install(m_account, m_account->lineEdit());
    connect(m_account, &LookupComboBox::dropDown, this, [this] {
        guarded(m_services, kForm, QStringLiteral("cboAccountCode DropDown"),
                [this] { dropDown(); });
    });

    m_dept = new QLineEdit(this);
    m_dept->setObjectName(QStringLiteral("txtBankAccountDept"));
    m_dept->setMaxLength(6);
    m_dept->setEnabled(false);
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("txtBankAccountDesc"));
    m_description->setMaxLength(30);
    m_description->setEnabled(false);

    // The account's label is two lines; the first carries the access key.
    auto* bankLabel = new QLabel(QStringLiteral("&Bank"), this);
    bankLabel->setBuddy(m_account);
    auto* codeLabel = new QLabel(QStringLiteral("Account Code"), this);
    auto* deptLabel = new QLabel(QStringLiteral("Dept Code"), this);
    deptLabel->setBuddy(m_dept);
    auto* descLabel = new QLabel(QStringLiteral("Description"), this);
    descLabel->setBuddy(m_description);
    grid->addWidget(bankLabel, 0, 0);
    grid->addWidget(deptLabel, 0, 1);
    grid->addWidget(descLabel, 0, 2);
    grid->addWidget(codeLabel, 1, 0);
    grid->addWidget(m_account, 2, 0);
    grid->addWidget(m_dept, 2, 1);
    grid->addWidget(m_description, 2, 2);
    grid->setColumnStretch(2, 1);

    ButtonRow buttons(this, layout, m_services, kForm);
    m_save = buttons.add(QStringLiteral("cmdSave"), QStringLiteral("&Save"), [this] { save(); });
    m_close =
        buttons.add(QStringLiteral("cmdClose"), QStringLiteral("&Close"), [this] { reject(); });

    setTabOrder(m_account, m_save);
    setTabOrder(m_save, m_close);
}

void BankGlAccountCodeWindow::load() {
    const std::optional<BankGlAccountRow> row = BankGlAccountRow::load(m_services.db);
    m_hasRow = row.has_value();
    if (!row)
        return;
    m_account->setEditText(row->accountCode);
    m_dept->setText(row->deptCode);
    m_description->setText(row->description);
}

void BankGlAccountCodeWindow::dropDown() {
    LookupTransfer& lookup = m_services.lookup;
    lookup.clear(1, 3);
    if (m_chooser)
        m_chooser(this);
    if (!lookup.LookupValue1.isEmpty()) {
        m_account->setEditText(lookup.LookupValue1);
        m_dept->setText(lookup.LookupValue2);
        m_description->setText(lookup.LookupValue3);
    }
    m_save->setFocus();
}

void BankGlAccountCodeWindow::save() {
    // A code typed by hand is kept as typed, with the department and description it had.
    const BankGlAccountRow row{m_account->currentText(), m_dept->text(), m_description->text()};
    if (!m_hasRow || !row.save(m_services.db)) {
        m_services.prompts.information(QStringLiteral("There is no record to save."));
        return;
    }
    m_services.prompts.information(QStringLiteral("Saved."));
    m_close->setFocus();
}
