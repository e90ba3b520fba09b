#include "fieldbindings.h"

#include "data/money.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlRecord>

void FieldBindings::bindAmount(QLineEdit* edit, const QString& column) {
    m_amounts.append({edit, column, {}, {}});
}

const FieldBindings::StoredAmount* FieldBindings::storedAmount(const QLineEdit* edit) const {
    for (const StoredAmount& amount : m_amounts)
        if (amount.edit == edit)
            return &amount;
    return nullptr;
}

bool FieldBindings::amountUntouched(const QLineEdit* edit) const {
    const StoredAmount* amount = storedAmount(edit);
    return amount && !amount->shown.isEmpty() && edit->text() == amount->shown;
}

QString FieldBindings::amountText(const QLineEdit* edit) const {
    return amountUntouched(edit) ? storedAmount(edit)->exact : edit->text();
}

void FieldBindings::setAmountText(QLineEdit* edit, const QString& text) {
    const QString current = amountText(edit);
    const std::optional<Money> now = Money::parse(current);
    const std::optional<Money> next = Money::parse(text);
    if (now && next ? *now == *next : Money::isBlank(current) && Money::isBlank(text))
        return;
    for (StoredAmount& amount : m_amounts)
        if (amount.edit == edit)
            amount.shown.clear();
    edit->setText(text);
}

void FieldBindings::clearAmounts() {
    for (StoredAmount& amount : m_amounts) {
        amount.shown.clear();
        amount.edit->clear();
    }
}

void FieldBindings::rememberStoredAmounts(const QSqlRecord* record) {
    for (StoredAmount& amount : m_amounts) {
        const QVariant value = record ? record->value(amount.column) : QVariant();
        amount.shown = value.isNull() ? QString() : amount.edit->text();
        amount.exact =
            value.isNull() ? QString() : Money::fromUnits(value.toLongLong()).toPlainString();
    }
}

QString FieldBindings::text(const QWidget* control, Conversion conversion) const {
    if (conversion == Conversion::Memo)
        return static_cast<const QPlainTextEdit*>(control)->toPlainText();
    if (conversion == Conversion::EditText)
        return static_cast<const QComboBox*>(control)->currentText();
    const auto* edit = static_cast<const QLineEdit*>(control);
    return conversion == Conversion::Amount ? amountText(edit) : edit->text();
}

void FieldBindings::setText(QWidget* control, Conversion conversion, const QString& text) {
    if (conversion == Conversion::Memo) {
        // setPlainText signals a change and resets the cursor even for the same text.
        if (auto* memo = static_cast<QPlainTextEdit*>(control); memo->toPlainText() != text)
            memo->setPlainText(text);
    } else if (conversion == Conversion::EditText) {
        static_cast<QComboBox*>(control)->setEditText(text);
    } else if (conversion == Conversion::Amount) {
        setAmountText(static_cast<QLineEdit*>(control), text);
    } else {
        static_cast<QLineEdit*>(control)->setText(text);
    }
}
