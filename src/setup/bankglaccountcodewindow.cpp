#include "bankglaccountcodewindow.h"

#include "data/messages.h"
#include "kit/buttonrow.h"
#include "kit/handlerguard.h"
#include "kit/lookupcombobox.h"
#include "kit/mrlookup.h"
#include "kit/selectallonfocus.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "setup/bankglaccountrow.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kForm = QStringLiteral("frmBankGLAccountCode");

} // namespace

BankGlAccountCodeWindow::BankGlAccountCodeWindow(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("Bank GL Account Code"));
    buildWindow();
    guarded(m_services, kForm, QStringLiteral("Form Load"), [this] {
        LimitCBText(m_services, m_account.code, 6);
        installFunctionKeys(this, m_services, kForm);
        load();
    });
}

void BankGlAccountCodeWindow::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    m_account.code = new LookupComboBox(this);
    m_account.code->setObjectName(QStringLiteral("cboAccountCode"));
    m_account.code->setAccessibleName(QStringLiteral("Bank Account Code"));
    SelectAllOnFocus::install(m_account.code, m_account.code->lineEdit());
    connect(m_account.code, &LookupComboBox::dropDownRequested, this, [this] {
        guarded(m_services, kForm, routineLabel(m_account.code, "DropDown"),
                [this] { m_account.choose(m_services, this); });
    });

    m_account.dept = new QLineEdit(this);
    m_account.dept->setObjectName(QStringLiteral("txtBankAccountDept"));
    m_account.dept->setMaxLength(6);
    m_account.dept->setEnabled(false);
    m_account.description = new QLineEdit(this);
    m_account.description->setObjectName(QStringLiteral("txtBankAccountDesc"));
    m_account.description->setMaxLength(30);
    m_account.description->setEnabled(false);

    // The account's label is two lines; the first carries the access key.
    auto* bankLabel = new QLabel(QStringLiteral("&Bank"), this);
    bankLabel->setBuddy(m_account.code);
    auto* codeLabel = new QLabel(QStringLiteral("Account Code"), this);
    auto* deptLabel = new QLabel(QStringLiteral("Dept Code"), this);
    deptLabel->setBuddy(m_account.dept);
    auto* descLabel = new QLabel(QStringLiteral("Description"), this);
    descLabel->setBuddy(m_account.description);
    grid->addWidget(bankLabel, 0, 0);
    grid->addWidget(deptLabel, 0, 1);
    grid->addWidget(descLabel, 0, 2);
    grid->addWidget(codeLabel, 1, 0);
    grid->addWidget(m_account.code, 2, 0);
    grid->addWidget(m_account.dept, 2, 1);
    grid->addWidget(m_account.description, 2, 2);
    grid->setColumnStretch(2, 1);

    ButtonRow buttons(this, layout, m_services, kForm);
    m_save = buttons.add(QStringLiteral("cmdSave"), QStringLiteral("&Save"), [this] { save(); });
    m_close =
        buttons.add(QStringLiteral("cmdClose"), QStringLiteral("&Close"), [this] { reject(); });

    m_account.next = m_save;
    setTabOrder(m_account.code, m_save);
    setTabOrder(m_save, m_close);
}

void BankGlAccountCodeWindow::load() {
    const std::optional<BankGlAccountRow> row = BankGlAccountRow::load(m_services.db);
    m_hasRow = row.has_value();
    if (!row)
        return;
    m_account.show(row->accountCode, row->deptCode, row->description);
}

void BankGlAccountCodeWindow::save() {
    // A code typed by hand is kept as typed, with the department and description it had.
    const BankGlAccountRow row{m_account.code->currentText(), m_account.dept->text(),
                               m_account.description->text()};
    if (!m_hasRow || !row.save(m_services.db)) {
        m_services.prompts.information(Messages::noSettingsRecordToSave());
        return;
    }
    m_services.prompts.information(Messages::saved());
    m_close->setFocus();
}
