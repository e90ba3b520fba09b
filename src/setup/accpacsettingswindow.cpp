#include "accpacsettingswindow.h"

#include "data/messages.h"
#include "kit/buttonrow.h"
#include "kit/handlerguard.h"
#include "kit/lookupcombobox.h"
#include "kit/mrlookup.h"
#include "kit/selectallonfocus.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "setup/accpacsettingsrow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kForm = QStringLiteral("frmAccpacSettings");
const QString kSingle = QStringLiteral("S");
const QString kMulti = QStringLiteral("M");
constexpr int kSingleIndex = 0;
constexpr int kMultiIndex = 1;

bool isEmpty(const QString& text) {
    return text.trimmed().isEmpty();
}

} // namespace

AccpacSettingsWindow::AccpacSettingsWindow(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("Accpac Plus / Adagio Settings"));
    buildWindow();
    guarded(m_services, kForm, QStringLiteral("Form Load"), [this] { load(); });
}

void AccpacSettingsWindow::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* notice = new QLabel(
        QStringLiteral("The values you enter must already exist in Accpac / Adagio"), this);
    notice->setObjectName(QStringLiteral("lblNotice"));
    layout->addWidget(notice);

    auto lineEdit = [this](const QString& name, int maxLength, bool selectOnFocus) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(maxLength);
        if (selectOnFocus)
            SelectAllOnFocus::install(edit, edit);
        return edit;
    };
    auto label = [this](const QString& caption, QWidget* buddy) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(buddy);
        return l;
    };

    m_sourceCode = lineEdit(QStringLiteral("txtGLSourceCode"), 4, true);
    auto* sourceRow = new QFormLayout;
    sourceRow->addRow(
        label(QStringLiteral("Please provide a GL Source Code eg CBGL (4 chars)"), m_sourceCode),
        m_sourceCode);
    layout->addLayout(sourceRow);

    // An account list with its read-only department and hidden description.
    auto account = [this, &lineEdit](const char* name, const QString& accessible) {
        AccountFields fields;
        fields.code = new LookupComboBox(this);
        fields.code->setObjectName(QString::fromLatin1(name));
        const QString base = QString::fromLatin1(name);
        fields.dept = lineEdit(base + QStringLiteral("Dept"), 6, false);
        fields.dept->setReadOnly(true);
        fields.dept->setAccessibleName(accessible + QStringLiteral(" department"));
        fields.description = lineEdit(base + QStringLiteral("Desc"), 30, false);
        fields.description->hide();
        fields.description->setAccessibleName(accessible + QStringLiteral(" description"));
        return fields;
    };
    auto accountRow = [&label](QGridLayout* grid, int row, const QString& caption,
                               const AccountFields& fields) {
        grid->addWidget(label(caption, fields.code), row, 0);
        grid->addWidget(fields.code, row, 1);
        grid->addWidget(fields.dept, row, 2);
    };

    auto* arGroup = new QGroupBox(QStringLiteral("Accounts Receivable"), this);
    auto* arGrid = new QGridLayout(arGroup);
    m_integrateWithAR = new QCheckBox(QStringLiteral("Integrate With AR"), arGroup);
    m_integrateWithAR->setObjectName(QStringLiteral("chkIntegrateWithAR"));
    arGrid->addWidget(m_integrateWithAR, 0, 0, 1, 3);
    m_arControl = account("txtARControlAccount", QStringLiteral("AR Control Account"));
    m_arClearing = account("txtARClearingAccount", QStringLiteral("AR Clearing Account"));
    m_arControlAccountSet = lineEdit(QStringLiteral("txtARControlAccountSet"), 6, true);
    accountRow(arGrid, 1, QStringLiteral("AR Control Account"), m_arControl);
    accountRow(arGrid, 2, QStringLiteral("AR Clearing Account"), m_arClearing);
    arGrid->addWidget(label(QStringLiteral("AR Control Account Set"), m_arControlAccountSet), 3, 0);
    arGrid->addWidget(m_arControlAccountSet, 3, 1);
    layout->addWidget(arGroup);

    auto* apGroup = new QGroupBox(QStringLiteral("Accounts Payable"), this);
    auto* apGrid = new QGridLayout(apGroup);
    m_integrateWithAP = new QCheckBox(QStringLiteral("Integrate With AP"), apGroup);
    m_integrateWithAP->setObjectName(QStringLiteral("chkIntegrateWithAP"));
    apGrid->addWidget(m_integrateWithAP, 0, 0, 1, 3);
    m_apControl = account("txtAPControlAccount", QStringLiteral("AP Control Account"));
    m_apClearing = account("txtAPClearingAccount", QStringLiteral("AP Clearing Account"));
    m_apBankCode = lineEdit(QStringLiteral("txtAPBankCode"), 6, true);
    accountRow(apGrid, 1, QStringLiteral("AP Control Account"), m_apControl);
    accountRow(apGrid, 2, QStringLiteral("AP Clearing Account"), m_apClearing);
    apGrid->addWidget(label(QStringLiteral("AP Bank Code"), m_apBankCode), 3, 0);
    apGrid->addWidget(m_apBankCode, 3, 1);
    layout->addWidget(apGroup);

    m_arControl.next = m_arClearing.code;
    m_arClearing.next = m_arControlAccountSet;
    m_apControl.next = m_apClearing.code;
    m_apClearing.next = m_apBankCode;

    auto* currencyGroup = new QGroupBox(QStringLiteral("Currency"), this);
    auto* currencyForm = new QFormLayout(currencyGroup);
    m_currency = new QComboBox(currencyGroup);
    m_currency->setObjectName(QStringLiteral("cboSingleMultiCurrency"));
    m_currency->addItem(QStringLiteral("Single-Currency"));
    m_currency->addItem(QStringLiteral("Multi-Currency"));
    m_singleMultiCurrency = lineEdit(QStringLiteral("txtSingleMultiCurrency"), 1, false);
    m_singleMultiCurrency->hide();
    m_singleMultiCurrency->setAccessibleName(QStringLiteral("Single or multi-currency code"));
    m_homeCurrency = lineEdit(QStringLiteral("txtGLHomeCurrency"), 3, true);
    m_rateType = lineEdit(QStringLiteral("txtGLRateType"), 2, true);
    currencyForm->addRow(label(QStringLiteral("GL is Single- or Multi-Currency"), m_currency),
                         m_currency);
    currencyForm->addRow(label(QStringLiteral("GL Home Currency Symbol eg S$"), m_homeCurrency),
                         m_homeCurrency);
    currencyForm->addRow(label(QStringLiteral("GL Rate Type eg SP"), m_rateType), m_rateType);
    layout->addWidget(currencyGroup);

    ButtonRow buttons(this, layout, m_services, kForm);
    m_save = buttons.add(QStringLiteral("cmdSave"), QStringLiteral("&Save"), [this] { save(); });
    m_close =
        buttons.add(QStringLiteral("cmdClose"), QStringLiteral("&Close"), [this] { reject(); });

    connect(m_integrateWithAR, &QCheckBox::clicked, this, [this] {
        guarded(m_services, kForm, routineLabel(m_integrateWithAR, "Click"),
                [this] { updateAREnabled(); });
    });
    connect(m_integrateWithAP, &QCheckBox::clicked, this, [this] {
        guarded(m_services, kForm, routineLabel(m_integrateWithAP, "Click"),
                [this] { updateAPEnabled(); });
    });
    connect(m_currency, &QComboBox::activated, this, [this](int index) {
        guarded(m_services, kForm, routineLabel(m_currency, "Click"),
                [this, index] { chooseCurrency(index); });
    });
    for (const AccountFields* fields : {&m_arControl, &m_arClearing, &m_apControl, &m_apClearing}) {
        connect(fields->code, &LookupComboBox::dropDownRequested, this, [this, fields] {
            guarded(m_services, kForm, routineLabel(fields->code, "DropDown"),
                    [this, fields] { fields->choose(m_services, this); });
        });
    }

    // F1 opens this window's help page; the window has no other function keys.
    installHelpKey(this, m_services, kForm);

    const QList<QWidget*> order = {m_sourceCode,
                                   m_integrateWithAR,
                                   m_arControl.code,
                                   m_arControl.dept,
                                   m_arClearing.code,
                                   m_arClearing.dept,
                                   m_arControlAccountSet,
                                   m_integrateWithAP,
                                   m_apControl.code,
                                   m_apControl.dept,
                                   m_apClearing.code,
                                   m_apClearing.dept,
                                   m_apBankCode,
                                   m_currency,
                                   m_homeCurrency,
                                   m_rateType,
                                   m_save,
                                   m_close};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void AccpacSettingsWindow::load() {
    for (LookupComboBox* list :
         {m_arControl.code, m_arClearing.code, m_apControl.code, m_apClearing.code})
        LimitCBText(m_services, list, 6);

    const std::optional<AccpacSettingsRow> row = AccpacSettingsRow::load(m_services.db);
    m_hasRow = row.has_value();
    if (row) {
        auto showAccount = [](const AccountFields& fields,
                              const AccpacSettingsRow::Account& account) {
            fields.show(account.code, account.dept, account.description);
        };
        m_sourceCode->setText(row->glSourceCode);
        m_integrateWithAR->setChecked(row->integrateWithAR);
        showAccount(m_arControl, row->arControl);
        showAccount(m_arClearing, row->arClearing);
        m_arControlAccountSet->setText(row->arControlAccountSet);
        m_integrateWithAP->setChecked(row->integrateWithAP);
        showAccount(m_apControl, row->apControl);
        showAccount(m_apClearing, row->apClearing);
        m_apBankCode->setText(row->apBankCode);
        m_singleMultiCurrency->setText(row->singleMultiCurrency);
        m_homeCurrency->setText(row->homeCurrency);
        m_rateType->setText(row->rateType);
    }
    updateAREnabled();
    updateAPEnabled();
    // Anything but "S" is a multi-currency GL; the hidden code follows the choice shown,
    // so that what is saved is what the window shows.
    chooseCurrency(m_singleMultiCurrency->text() == kSingle ? kSingleIndex : kMultiIndex);
}

void AccpacSettingsWindow::updateAREnabled() {
    const bool on = m_integrateWithAR->checkState() != Qt::Unchecked;
    m_arControl.code->setEnabled(on);
    m_arClearing.code->setEnabled(on);
    m_arControlAccountSet->setEnabled(on);
}

void AccpacSettingsWindow::updateAPEnabled() {
    const bool on = m_integrateWithAP->checkState() != Qt::Unchecked;
    m_apControl.code->setEnabled(on);
    m_apClearing.code->setEnabled(on);
    m_apBankCode->setEnabled(on);
}

void AccpacSettingsWindow::chooseCurrency(int index) {
    if (index < 0)
        return;
    m_currency->setCurrentIndex(index);
    m_singleMultiCurrency->setText(index == kSingleIndex ? kSingle : kMulti);
    updateCurrencyEnabled();
}

void AccpacSettingsWindow::updateCurrencyEnabled() {
    const bool multi = isMultiCurrency();
    m_homeCurrency->setEnabled(multi);
    m_rateType->setEnabled(multi);
}

bool AccpacSettingsWindow::isMultiCurrency() const {
    return m_currency->currentIndex() == kMultiIndex;
}

void AccpacSettingsWindow::save() {
    struct Check {
        bool applies;
        QWidget* field;
        QString text;
        const char* what;
    };
    const bool ar = m_integrateWithAR->checkState() != Qt::Unchecked;
    const bool ap = m_integrateWithAP->checkState() != Qt::Unchecked;
    const bool multi = isMultiCurrency();
    const Check checks[] = {
        {true, m_sourceCode, m_sourceCode->text(), "GL Source Code"},
        {ar, m_arControl.code, m_arControl.code->currentText(), "AR Control Account"},
        {ar, m_arClearing.code, m_arClearing.code->currentText(), "AR Clearing Account"},
        {ar, m_arControlAccountSet, m_arControlAccountSet->text(), "AR Control Account Set"},
        {ap, m_apControl.code, m_apControl.code->currentText(), "AP Control Account"},
        {ap, m_apClearing.code, m_apClearing.code->currentText(), "AP Clearing Account"},
        {ap, m_apBankCode, m_apBankCode->text(), "AP Bank Code"},
        {multi, m_homeCurrency, m_homeCurrency->text(), "GL Home Currency Code"},
        {multi, m_rateType, m_rateType->text(), "GL Rate Type"},
    };
    for (const Check& check : checks) {
        if (check.applies && isEmpty(check.text)) {
            m_services.prompts.critical(
                Messages::mustEnterSetting(QString::fromLatin1(check.what)));
            check.field->setFocus();
            return;
        }
    }

    auto account = [](const AccountFields& fields) {
        return AccpacSettingsRow::Account{fields.code->currentText(), fields.dept->text(),
                                          fields.description->text()};
    };
    AccpacSettingsRow row;
    row.glSourceCode = m_sourceCode->text();
    row.singleMultiCurrency = m_singleMultiCurrency->text();
    row.homeCurrency = m_homeCurrency->text();
    row.rateType = m_rateType->text();
    row.integrateWithAR = ar;
    row.arControl = account(m_arControl);
    row.arClearing = account(m_arClearing);
    row.arControlAccountSet = m_arControlAccountSet->text();
    row.integrateWithAP = ap;
    row.apControl = account(m_apControl);
    row.apClearing = account(m_apClearing);
    row.apBankCode = m_apBankCode->text();
    if (!m_hasRow || !row.save(m_services.db)) {
        m_services.prompts.information(Messages::noSettingsRecordToSave());
        return;
    }
    m_services.prompts.information(Messages::recordSaved());
}
