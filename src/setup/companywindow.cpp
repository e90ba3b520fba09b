#include "companywindow.h"

#include "data/messages.h"
#include "kit/buttonrow.h"
#include "kit/handlerguard.h"
#include "kit/selectallonfocus.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "setup/companydetailsrow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kForm = QStringLiteral("frmCompany");

// Long enough for any name or address line the reports print.
constexpr int kFieldLength = 50;

} // namespace

CompanyWindow::CompanyWindow(Services& services, std::function<void()> companyChanged,
                             QWidget* parent)
    : QDialog(parent), m_services(services), m_companyChanged(std::move(companyChanged)) {
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("Company Details"));
    buildWindow();
    guarded(m_services, kForm, QStringLiteral("Form Load"), [this] { load(); });
}

void CompanyWindow::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const QString accessible[4] = {QStringLiteral("Company Name"), QStringLiteral("Address line 1"),
                                   QStringLiteral("Address line 2"),
                                   QStringLiteral("Address line 3")};
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txtFields(%1)").arg(i));
        edit->setMaxLength(kFieldLength);
        edit->setAccessibleName(accessible[i]);
        SelectAllOnFocus::install(edit, edit);
        m_fields[size_t(i)] = edit;
    }
    auto* nameLabel = new QLabel(QStringLiteral("Company &Name"), this);
    nameLabel->setBuddy(m_fields[0]);
    form->addRow(nameLabel, m_fields[0]);
    auto* addressLabel = new QLabel(QStringLiteral("&Address"), this);
    addressLabel->setBuddy(m_fields[1]);
    form->addRow(addressLabel, m_fields[1]);
    form->addRow(QString(), m_fields[2]);
    form->addRow(QString(), m_fields[3]);

    ButtonRow buttons(this, layout, m_services, kForm);
    m_save = buttons.add(QStringLiteral("cmdSave"), QStringLiteral("&Save"), [this] { save(); });
    m_close =
        buttons.add(QStringLiteral("cmdClose"), QStringLiteral("&Close"), [this] { reject(); });

    // F1 opens this window's help page.
    installHelpKey(this, m_services, kForm);
}

void CompanyWindow::load() {
    const std::optional<CompanyDetailsRow> row = CompanyDetailsRow::load(m_services.db);
    m_hasRow = row.has_value();
    if (!row)
        return;
    m_fields[0]->setText(row->companyName);
    m_fields[1]->setText(row->address1);
    m_fields[2]->setText(row->address2);
    m_fields[3]->setText(row->address3);
}

void CompanyWindow::save() {
    if (m_fields[0]->text().trimmed().isEmpty()) {
        m_services.prompts.critical(Messages::mustEnterCompanyName());
        m_fields[0]->setFocus();
        return;
    }
    const CompanyDetailsRow row{m_fields[0]->text(), m_fields[1]->text(), m_fields[2]->text(),
                                m_fields[3]->text()};
    if (!m_hasRow || !row.save(m_services.db)) {
        m_services.prompts.information(Messages::noSettingsRecordToSave());
        return;
    }
    if (m_companyChanged)
        m_companyChanged();
    m_services.prompts.information(Messages::recordSaved());
}
