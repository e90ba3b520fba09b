#include "bankentrydialog.h"

#include "entry/bankentryrules.h"
#include "kit/lookupcombobox.h"
#include "kit/services.h"
#include "masters/lookups.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

BankEntryDialog::BankEntryDialog(Services& services, const StatementLine& line,
                                 const StatementEntries::Choice& proposal, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("frmStatementBankEntry"));
    setWindowTitle(QStringLiteral("Bank Entry from Statement"));
    auto* form = new QFormLayout(this);
    auto* summary = new QLabel(QStringLiteral("%1   %2   %3")
                                   .arg(line.date.toString(QStringLiteral("dd MMM yyyy")),
                                        line.amount.format(Money::Format::Written),
                                        (line.name + QLatin1Char(' ') + line.memo).trimmed()),
                               this);
    summary->setObjectName(QStringLiteral("lblStatementLine"));
    form->addRow(QStringLiteral("Statement line"), summary);

    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("cboTransType"));
    const QStringList codes = BankEntryRules::typeCodes();
    for (int i = 0; i < codes.size(); ++i)
        m_type->addItem(BankEntryRules::typeTexts().at(i), codes.at(i));
    m_type->setCurrentIndex(std::max(0, m_type->findData(proposal.type)));
    m_id = new QLineEdit(proposal.transId, this);
    m_id->setObjectName(QStringLiteral("txtTransID"));
    m_desc = new QLineEdit(proposal.description, this);
    m_desc->setObjectName(QStringLiteral("txtTransDesc"));
    m_desc->setMaxLength(50);
    m_account = new LookupComboBox(this);
    m_account->setObjectName(QStringLiteral("cboGLOffsetAccountCode"));
    m_account->setEditText(proposal.accountCode);
    m_dept = new QLineEdit(proposal.deptCode, this);
    m_dept->setObjectName(QStringLiteral("txtGLOffsetDeptCode"));
    m_dept->setMaxLength(6);
    m_accountDesc = new QLabel(this);
    form->addRow(QStringLiteral("T&ype"), m_type);
    form->addRow(QStringLiteral("Trans &ID"), m_id);
    form->addRow(QStringLiteral("D&esc"), m_desc);
    form->addRow(QStringLiteral("&GL A/c"), m_account);
    form->addRow(QStringLiteral("&Department"), m_dept);
    form->addRow(QString(), m_accountDesc);
    connect(m_account, &LookupComboBox::dropDownRequested, this, [this] {
        if (const std::optional<AccountChoice> chosen = lookupChartOfAccounts(m_services, this)) {
            m_account->setEditText(chosen->code);
            m_dept->setText(chosen->dept);
            m_accountDesc->setText(chosen->description);
        }
        activateWindow();
        m_account->setFocus();
    });

    auto* buttons = new QDialogButtonBox(this);
    const auto add = [this, buttons](const char* name, const QString& caption, Result result) {
        QPushButton* button = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    };
    add("cmdCreate", QStringLiteral("&Create"), Create);
    add("cmdSkip", QStringLiteral("&Skip"), Skip);
    add("cmdStop", QStringLiteral("S&top"), Stop);
    form->addRow(buttons);
    m_id->setFocus();
}

StatementEntries::Choice BankEntryDialog::choice() const {
    return {m_type->currentData().toString(), m_id->text(), m_desc->text(),
            m_account->currentText().trimmed(), m_dept->text().trimmed()};
}
