#include "bankdetailswindow.h"

#include "data/codes.h"
#include "data/messages.h"
#include "kit/buttonrow.h"
#include "kit/handlerguard.h"
#include "kit/selectallonfocus.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "setup/bankdetailsrow.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kForm = QStringLiteral("frmBankDetails");

const QString kReadOnlyCaption = QStringLiteral("Fiscal Period and Bank Details - Read Only");
const QString kEditCaption = QStringLiteral("Fiscal Period and Bank Details - Edit");

} // namespace

BankDetailsWindow::BankDetailsWindow(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(kForm);
    buildWindow();
    installFunctionKeys(this, m_services, kForm);
    guarded(m_services, kForm, QStringLiteral("Form Load"), [this] { load(); });
}

void BankDetailsWindow::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    const int maxLengths[7] = {4, 2, 25, 25, 0, 10, 10};
    for (int i = 0; i < 7; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txtFields(%1)").arg(i));
        if (maxLengths[i] > 0)
            edit->setMaxLength(maxLengths[i]);
        SelectAllOnFocus::install(edit, edit);
        edit->installEventFilter(this);
        m_fields[size_t(i)] = edit;
    }
    // CurrentMonth is set from the month list only.
    m_fields[CurrentMonth]->hide();
    m_fields[CurrentMonth]->setAccessibleName(QStringLiteral("Current month number"));

    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("cboCurrentMonth"));
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(Codes::monthName(month), month);
    connect(m_month, &QComboBox::activated, this, &BankDetailsWindow::chooseMonth);

    auto addRow = [this, form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    addRow(QStringLiteral("Current &Year"), m_fields[CurrentYear]);
    addRow(QStringLiteral("Current &Month"), m_month);
    addRow(QStringLiteral("&Bank Name"), m_fields[BankName]);
    addRow(QStringLiteral("Bank &Account Number"), m_fields[BankAccountNumber]);
    addRow(QStringLiteral("&Take-on Bank Balance"), m_fields[StartingBankBalance]);
    addRow(QStringLiteral("&Auto Next Cheque / PV Num"), m_fields[NextCheque]);
    addRow(QStringLiteral("Auto Next &Receipt Number"), m_fields[NextReceipt]);
    m_fields[StartingBankBalance]->setAlignment(Qt::AlignRight);

    ButtonRow buttons(this, layout, m_services, kForm);
    m_edit = buttons.add(QStringLiteral("cmdEdit"), QStringLiteral("&Edit"), [this] { edit(); });
    m_save = buttons.add(QStringLiteral("cmdSave"), QStringLiteral("&Save"), [this] { save(); });
    m_close =
        buttons.add(QStringLiteral("cmdClose"), QStringLiteral("&Close"), [this] { reject(); });

    setTabOrder(m_fields[CurrentYear], m_month);
    setTabOrder(m_month, m_fields[BankName]);
    setTabOrder(m_fields[BankName], m_fields[BankAccountNumber]);
    setTabOrder(m_fields[BankAccountNumber], m_fields[StartingBankBalance]);
    setTabOrder(m_fields[StartingBankBalance], m_fields[NextCheque]);
    setTabOrder(m_fields[NextCheque], m_fields[NextReceipt]);
    setTabOrder(m_fields[NextReceipt], m_edit);
    setTabOrder(m_edit, m_save);
    setTabOrder(m_save, m_close);
}

void BankDetailsWindow::load() {
    m_hasRow = false;
    setEditable(false);
    const std::optional<BankDetailsRow> row = BankDetailsRow::load(m_services.db);
    if (row) {
        m_hasRow = true;
        m_fields[CurrentYear]->setText(row->currentYear);
        m_fields[CurrentMonth]->setText(row->currentMonth);
        m_fields[BankName]->setText(row->bankName);
        m_fields[BankAccountNumber]->setText(row->bankAccountNumber);
        if (row->startingBankBalance)
            showBalance(*row->startingBankBalance);
        m_fields[NextCheque]->setText(BankDetailsRow::numberText(row->nextCheque));
        m_fields[NextReceipt]->setText(BankDetailsRow::numberText(row->nextReceipt));
    }
    // Any stored value that names no month shows January.
    const int month = Codes::monthNumber(m_fields[CurrentMonth]->text());
    m_month->setCurrentIndex(month == 0 ? 0 : month - 1);
}

void BankDetailsWindow::setEditable(bool editable) {
    m_month->setEnabled(editable);
    for (QLineEdit* field : m_fields)
        field->setEnabled(editable);
    setWindowTitle(editable ? kEditCaption : kReadOnlyCaption);
}

void BankDetailsWindow::edit() {
    if (!m_services.prompts.ask(Messages::bankDetailsEditQuestion(), Prompts::Answer::No))
        return;
    setEditable(true);
    m_fields[CurrentYear]->setFocus();
}

void BankDetailsWindow::chooseMonth(int index) {
    guarded(m_services, kForm, routineLabel(m_month, "Click"), [this, index] {
        if (index >= 0)
            m_fields[CurrentMonth]->setText(QString::number(m_month->itemData(index).toInt()));
    });
}

bool BankDetailsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Only the user moving on counts as leaving; a message box, a popup or the window
        // itself putting the focus on a refused field does not.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason) {
            for (int i = 0; i < 7; ++i)
                if (watched == m_fields[size_t(i)])
                    leaveField(i);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BankDetailsWindow::leaveField(int index) {
    guarded(m_services, kForm, QStringLiteral("txtFields LostFocus"), [this, index] {
        if (index == StartingBankBalance && m_fields[index]->text() != m_balanceShown) {
            if (const std::optional<Money> balance = typedBalance())
                showBalance(*balance);
        }
        // Advice only: the focus moves on, and the two sequences are not compared.
        if (!BankDetailsRow::isNumberingText(m_fields[NextCheque]->text()))
            m_services.prompts.critical(Messages::onlyNumbersForVouchers() +
                                        Messages::distinctNumberingAdvice());
        else if (!BankDetailsRow::isNumberingText(m_fields[NextReceipt]->text()))
            m_services.prompts.critical(Messages::onlyNumbersForReceipts() +
                                        Messages::distinctNumberingAdvice());
    });
}

std::optional<Money> BankDetailsWindow::typedBalance() const {
    const QString text = m_fields[StartingBankBalance]->text();
    // The shown text is rounded to cents; unchanged, it stands for the exact stored amount.
    if (text == m_balanceShown && m_balance)
        return m_balance;
    if (Money::isBlank(text))
        return Money();
    return Money::parse(text);
}

void BankDetailsWindow::showBalance(Money balance) {
    m_balance = balance;
    m_balanceShown = balance.format(Money::Format::Report);
    m_fields[StartingBankBalance]->setText(m_balanceShown);
}

void BankDetailsWindow::save() {
    Prompts& prompts = m_services.prompts;
    auto refuse = [&prompts](const QString& message, QWidget* field) {
        prompts.critical(message);
        field->setFocus();
    };
    if (m_fields[CurrentYear]->text().trimmed().isEmpty())
        return refuse(Messages::mustEnterSetting(QStringLiteral("Year")), m_fields[CurrentYear]);
    // A month the list cannot show would be saved while the window shows January.
    const int month = Codes::monthNumber(m_fields[CurrentMonth]->text());
    if (month == 0)
        return refuse(Messages::mustEnterSetting(QStringLiteral("Month")), m_month);
    if (!BankDetailsRow::isNumberingText(m_fields[NextCheque]->text()))
        return refuse(Messages::onlyNumbersForVouchers(), m_fields[NextCheque]);
    if (!BankDetailsRow::isNumberingText(m_fields[NextReceipt]->text()))
        return refuse(Messages::onlyNumbersForReceipts(), m_fields[NextReceipt]);
    const std::optional<Money> balance = typedBalance();
    if (!balance)
        return refuse(Messages::takeOnBalanceNotAmount(), m_fields[StartingBankBalance]);
    // Kept inside the entry limit so that no sum of the book's amounts can overflow.
    if (!balance->withinEntryLimit())
        return refuse(Messages::amountOutOfRange(), m_fields[StartingBankBalance]);
    if (!m_hasRow) {
        prompts.information(Messages::noSettingsRecordToSave());
        return;
    }

    BankDetailsRow row;
    row.currentYear = m_fields[CurrentYear]->text().trimmed();
    row.currentMonth = QString::number(month);
    row.bankName = m_fields[BankName]->text();
    row.bankAccountNumber = m_fields[BankAccountNumber]->text();
    row.startingBankBalance = *balance;
    row.nextCheque = BankDetailsRow::numberFromText(m_fields[NextCheque]->text());
    row.nextReceipt = BankDetailsRow::numberFromText(m_fields[NextReceipt]->text());
    if (!row.save(m_services.db)) {
        prompts.information(Messages::noSettingsRecordToSave());
        return;
    }
    showBalance(*balance);
    m_fields[NextCheque]->setText(BankDetailsRow::numberText(row.nextCheque));
    m_fields[NextReceipt]->setText(BankDetailsRow::numberText(row.nextReceipt));
    prompts.information(Messages::recordSaved());
}
