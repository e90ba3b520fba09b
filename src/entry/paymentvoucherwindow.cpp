#include "paymentvoucherwindow.h"

#include "data/codes.h"
#include "data/failure.h"
#include "data/messages.h"
#include "data/recordnavigator.h"
#include "data/settings.h"
#include "entry/voucherrules.h"
#include "kit/fieldgate.h"
#include "kit/handlerguard.h"
#include "kit/lookupcombobox.h"
#include "kit/mrlookup.h"
#include "kit/navigatorbar.h"
#include "kit/services.h"
#include "masters/lookups.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <limits>

PaymentVoucherWindow::Pickers PaymentVoucherWindow::standardPickers(const VoucherKind& kind) {
    const Choosers choosers = standardChoosers();
    Pickers pickers;
    pickers.party = kind.party == VoucherKind::Party::Vendor ? &lookupVendor : &lookupCustomer;
    pickers.account = choosers.account;
    pickers.tax = &lookupTaxCode;
    pickers.find = choosers.find;
    return pickers;
}

PaymentVoucherWindow::PaymentVoucherWindow(Services& services, const VoucherKind& kind,
                                           QWidget* parent)
    : PaymentVoucherControls(services, kind, parent), m_voucherStore(services.db, kind) {
    setPickers(standardPickers(kind));
    connect(m_party, &LookupComboBox::dropDownRequested, this,
            &PaymentVoucherWindow::partyDropDown);
    connect(m_taxCode, &LookupComboBox::dropDownRequested, this,
            &PaymentVoucherWindow::taxDropDown);
    connect(m_taxCode, &QComboBox::editTextChanged, this, &PaymentVoucherWindow::taxCodeChanged);
    m_taxAmount->setEnabled(!m_taxCode->currentText().isEmpty());
    finishSetup();
}

PaymentVoucherWindow::~PaymentVoucherWindow() = default;

void PaymentVoucherWindow::setPickers(Pickers pickers) {
    m_partyPicker = std::move(pickers.party);
    m_taxPicker = std::move(pickers.tax);
    setChoosers({std::move(pickers.account), std::move(pickers.find)});
}

// ---- fields ------------------------------------------------------------------------

QList<QWidget*> PaymentVoucherWindow::entryFields() const {
    return {m_party, m_transType, m_transId, m_transDate, m_datePicker, m_desc,
            m_memo,  m_account,   m_amount,  m_taxCode,   m_taxAmount};
}

QList<QWidget*> PaymentVoucherWindow::ownWatchedFields() const {
    return {m_party, m_memo, m_taxCode, m_taxAmount};
}

QList<QWidget*> PaymentVoucherWindow::ownCheckedFields() const {
    return {m_party, m_taxCode, m_taxAmount};
}

void PaymentVoucherWindow::showRow(const QSqlRecord* record) {
    m_bindings.write(m_fields,
                     record ? VoucherFields::fromRecord(*record, m_kind) : VoucherFields());
    m_filledParty = m_party->currentText();
    m_filledTaxCode = m_taxCode->currentText();
}

std::optional<EntryRules::Refusal>
PaymentVoucherWindow::checkRow(const EntryRules::Settings& settings) {
    VoucherFields fields = m_bindings.read(m_fields);
    const std::optional<EntryRules::Refusal> refusal =
        VoucherRules::validate(m_kind, fields, settings, m_services.clock.today());
    m_bindings.write(m_fields, fields);
    return refusal;
}

std::optional<EntryRules::Refusal>
PaymentVoucherWindow::writeRefusal(const EntryRules::Settings& settings) const {
    return VoucherRules::writeRefusal(m_bindings.read(m_fields), settings);
}

// ---- field rules -------------------------------------------------------------------

void PaymentVoucherWindow::gotFocus(QWidget* widget) {
    if (widget == m_party) {
        if (m_party->lineEdit())
            m_party->lineEdit()->selectAll();
        return;
    }
    CashbookEntryWindow::gotFocus(widget);
}

void PaymentVoucherWindow::amountLeft() {
    // Passing through a stored row's amount changes nothing: its tax stays as stored.
    if (m_bindings.amountUntouched(m_amount))
        return;
    if (Money::isBlank(m_amount->text())) {
        m_taxCode->setEditText(QString());
        for (QLineEdit* edit : {m_taxRate, m_taxAccount, m_taxDept, m_taxAmount, m_total})
            edit->clear();
        return;
    }
    m_taxAmount->clear();
    m_total->clear();
    const QString rate = m_taxRate->text();
    if (!rate.isEmpty()) {
        if (const std::optional<double> number = VoucherRules::rateNumber(rate)) {
            m_taxAmount->setText(*number == 0.0 ? QStringLiteral("0")
                                                : VoucherRules::taxAmountText(
                                                      m_bindings.amountText(m_amount), rate));
        } else {
            // A stored row shows its rate as a percentage.
            m_taxRate->setText(VoucherRules::rateFromShown(rate));
            m_taxAmount->setText(
                VoucherRules::taxAmountText(m_bindings.amountText(m_amount), m_taxRate->text()));
        }
    }
    recomputeTotal();
}

bool PaymentVoucherWindow::leaveOwnField(QWidget* widget, bool) {
    const QString& form = m_kind.windowName;
    if (widget == m_taxAmount) {
        if (!amountCheck(m_taxAmount))
            return false;
        m_gate->accept();
        guarded(m_services, form, routineLabel(m_taxAmount, "LostFocus"), [this] {
            if (!Money::isBlank(m_amount->text()))
                recomputeTotal();
        });
        return true;
    }
    if (widget == m_party) {
        guarded(m_services, form, routineLabel(m_party, "LostFocus"), [this] {
            const QString code = m_party->currentText();
            if (code.isEmpty() || EntryRules::sameCode(code, m_filledParty))
                return;
            const std::optional<PartyChoice> party = m_voucherStore.party(code);
            if (!party) {
                m_services.prompts.critical(m_kind.unknownPartyMessage);
                m_party->setEditText(QString());
                return;
            }
            // A typed code fills what a pick fills: the printed voucher needs the payee.
            fillParty(*party);
        });
        return true;
    }
    if (widget == m_taxCode)
        return m_gate->check(routineLabel(m_taxCode, "LostFocus"),
                             [this] { return leaveTaxCode(); });
    return true;
}

// A typed tax code: an unknown one is refused; a known one fills its rate and GL account
// and works out the tax and the total again, as a pick does.
bool PaymentVoucherWindow::leaveTaxCode() {
    const QString code = m_taxCode->currentText();
    if (code.isEmpty()) {
        for (QLineEdit* edit : {m_taxRate, m_taxAccount, m_taxDept, m_taxAmount})
            edit->clear();
        m_filledTaxCode.clear();
        return true;
    }
    if (EntryRules::sameCode(code, m_filledTaxCode))
        return true;
    const std::optional<VoucherStore::TaxCode> tax = m_voucherStore.taxCode(code);
    if (!tax) {
        m_services.prompts.critical(Messages::unknownTaxCode());
        m_taxCode->setEditText(QString());
        return false;
    }
    fillTax(tax->code, tax->rate ? QString::number(*tax->rate, 'g', 15) : QString(), tax->account,
            tax->dept);
    return true;
}

void PaymentVoucherWindow::fillTax(const QString& code, const QString& rate, const QString& account,
                                   const QString& dept) {
    m_taxCode->setEditText(code);
    m_taxRate->setText(rate);
    m_taxAccount->setText(account);
    m_taxDept->setText(dept);
    m_filledTaxCode = code;
    if (!Money::isBlank(m_amount->text())) {
        m_taxAmount->clear();
        if (!rate.isEmpty())
            m_taxAmount->setText(
                VoucherRules::taxAmountText(m_bindings.amountText(m_amount), rate));
        recomputeTotal();
    }
    m_taxAmount->setEnabled(true);
}

void PaymentVoucherWindow::fillParty(const PartyChoice& party) {
    m_party->setEditText(party.code);
    m_partyName->setText(party.name);
    for (int i = 0; i < 4; ++i)
        m_address[i]->setText(party.address[i]);
    m_postalCode->setText(party.postalCode);
    m_filledParty = party.code;
}

void PaymentVoucherWindow::recomputeTotal() {
    m_total->setText(VoucherRules::totalText(m_amount->text(), m_taxAmount->text()));
}

void PaymentVoucherWindow::typeChosen(const QString& code) {
    if (code == m_kind.clearingType) {
        // A payment integrated with accounts payable (a receipt with accounts receivable) is
        // posted against the clearing account.
        const int key = m_kind.clearingSettingKey;
        setOffsetAccount(mrLookupText(m_services, key, Settings::Code),
                         mrLookupText(m_services, key, Settings::Dept),
                         mrLookupText(m_services, key, Settings::Description));
    } else {
        setOffsetAccount(QString(), QString(), QString());
    }
}

void PaymentVoucherWindow::partyDropDown() {
    guarded(m_services, m_kind.windowName, routineLabel(m_party, "DropDown"), [this] {
        if (!m_party->isEnabled())
            return;
        const std::optional<PartyChoice> c = m_partyPicker(m_services, this);
        reactivate();
        if (c)
            fillParty(*c);
        m_transType->setFocus(Qt::OtherFocusReason);
    });
}

void PaymentVoucherWindow::taxDropDown() {
    guarded(m_services, m_kind.windowName, routineLabel(m_taxCode, "DropDown"), [this] {
        if (!m_taxCode->isEnabled())
            return;
        const std::optional<TaxChoice> chosen = m_taxPicker(m_services, this);
        reactivate();
        if (!chosen) {
            m_taxAmount->setEnabled(false);
            m_party->setFocus(Qt::OtherFocusReason);
            return;
        }
        fillTax(chosen->code,
                chosen->shownRate.isEmpty() ? QString()
                                            : VoucherRules::rateFromShown(chosen->shownRate),
                chosen->account, chosen->dept);
        m_taxAmount->setFocus(Qt::OtherFocusReason);
    });
}

void PaymentVoucherWindow::taxCodeChanged() {
    guarded(m_services, m_kind.windowName, routineLabel(m_taxCode, "Change"),
            [this] { m_taxAmount->setEnabled(!m_taxCode->currentText().isEmpty()); });
}

// ---- commands ----------------------------------------------------------------------

std::optional<qint32> PaymentVoucherWindow::readNextNumber() {
    std::optional<qint32> number;
    guarded(m_services, m_kind.windowName, m_kind.counterRoutine, [this, &number] {
        m_nextNumber = m_voucherStore.nextUnusedNumber();
        number = m_nextNumber;
    });
    return number;
}

void PaymentVoucherWindow::beginRow() {
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

void PaymentVoucherWindow::prepareForSave() {
    const VoucherFields before = m_bindings.read(m_fields);
    const VoucherRules::DoubleEntry entry =
        VoucherRules::doubleEntry(m_kind, before.total, before.baseAmount, before.taxAmount);
    m_deBank->setText(entry.bank.toPlainString());
    m_deOffset->setText(entry.offset.toPlainString());
    m_deGst->setText(entry.tax.toPlainString());
}

QVariantMap PaymentVoucherWindow::rowColumns() const {
    return m_bindings.read(m_fields).toColumns(m_kind);
}

std::optional<CashbookStore::Counter> PaymentVoucherWindow::counterToAdvance() const {
    // The counter moves on only for the row that carries the number offered and accepted.
    if (!m_nextNumberAccepted || m_transId->text() != QString::number(m_nextNumber))
        return std::nullopt;
    if (m_nextNumber == std::numeric_limits<qint32>::max())
        throw Failure::overflow();
    return CashbookStore::Counter{m_kind.counterColumn, m_nextNumber + 1};
}

void PaymentVoucherWindow::rowWritten() {
    // The acceptance belonged to the row just written, whatever number it carries.
    m_nextNumberAccepted = false;
}

void PaymentVoucherWindow::rowUndone() {
    // Whatever was accepted for the dropped row is not accepted for the next one.
    m_nextNumberAccepted = false;
}
