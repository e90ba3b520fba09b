#pragma once

#include "masters/choices.h"
#include "masters/gridmaintenancewindow.h"

#include <optional>

// frmChartOfAccounts: the general-ledger accounts, keyed by account and department code.
// Also the chooser of an account: a double-click hands code, department and description
// back as chosen().
class ChartOfAccountsWindow : public GridMaintenanceWindow {
    Q_OBJECT
public:
    explicit ChartOfAccountsWindow(Services& services, QWidget* parent = nullptr);

    // Empties the chart and re-opens the record set.
    void DeleteAll();

    std::optional<AccountChoice> chosen() const { return m_chosen; }

protected:
    void beforeColumnUpdate(int column, QString& text) override;
    void afterColumnUpdate(int row, int column) override;
    bool beforeRowUpdate(int row) override;
    void cellButtonClicked(int row, int column) override;
    void transferLookup(int row) override;

private:
    void onFind();
    void onDeleteAll();
    void onRestore();

    std::optional<AccountChoice> m_chosen;
};
