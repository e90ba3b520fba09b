#pragma once

#include "entry/bankentryfields.h"
#include "entry/cashbookentrywindow.h"

// The bank charges, interest and miscellaneous window (frmBankChargesInterest): the bank's
// own entries on the account, one at a time, with their type (5, 6 or 7), ID, date,
// description, signed amount and offset account, a navigator over every row of those types,
// and the commands Add, Save, Undo, Delete, Find and Close. Each row carries a two-sided
// double entry: the offset side is the amount, the bank side minus the amount; there is no
// tax side.
class BankChargesInterestWindow : public CashbookEntryWindow {
    Q_OBJECT
public:
    explicit BankChargesInterestWindow(Services& services, QWidget* parent = nullptr);
    ~BankChargesInterestWindow() override;

protected:
    QList<QWidget*> entryFields() const override;
    void amountLeft() override;
    void showRow(const QSqlRecord* record) override;
    std::optional<EntryRules::Refusal> checkRow(const EntryRules::Settings& settings) override;
    std::optional<EntryRules::Refusal>
    writeRefusal(const EntryRules::Settings& settings) const override;
    void beginRow() override;
    void prepareForSave() override;
    QVariantMap rowColumns() const override;

private:
    static Setup setup();
    void buildWindow();

    // The total and the two double-entry sides from the amount.
    void writeDerived();
    // Each field's binding to the row, in the order the fields are written.
    QList<FieldBindings::Bound<BankEntryFields>> m_fields;
};
