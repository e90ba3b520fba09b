#pragma once

#include "masters/gridmaintenancewindow.h"

// frmChartOfAccounts: the general-ledger accounts, keyed by account and department code.
// Also the chooser of an account: a double-click hands code, department and description
// back in LookupValue1 to LookupValue3.
class ChartOfAccountsWindow : public GridMaintenanceWindow {
    Q_OBJECT
public:
    explicit ChartOfAccountsWindow(Services& services, QWidget* parent = nullptr);

    // Empties the chart and re-opens the record set.
    void DeleteAll();

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
};
