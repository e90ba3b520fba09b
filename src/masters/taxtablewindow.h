#pragma once

#include "masters/gridmaintenancewindow.h"

// frmTaxTable: the tax codes with their rates and the GL account the tax is posted to.
// Also the chooser of a tax code: a double-click hands code, rate as shown ("7.00%"),
// GL account and GL department back in LookupValue4 to LookupValue7.
class TaxTableWindow : public GridMaintenanceWindow {
    Q_OBJECT
public:
    explicit TaxTableWindow(Services& services, QWidget* parent = nullptr);

protected:
    void cellButtonClicked(int row, int column) override;
    void transferLookup(int row) override;
};
