#pragma once

#include "masters/choices.h"
#include "masters/gridmaintenancewindow.h"

#include <optional>

// frmTaxTable: the tax codes with their rates and the GL account the tax is posted to.
// Also the chooser of a tax code: a double-click hands code, rate as shown ("7.00%"),
// GL account and GL department back as chosen().
class TaxTableWindow : public GridMaintenanceWindow {
    Q_OBJECT
public:
    explicit TaxTableWindow(Services& services, QWidget* parent = nullptr);

    std::optional<TaxChoice> chosen() const { return m_chosen; }

protected:
    void cellButtonClicked(int row, int column) override;
    void transferLookup(int row) override;

private:
    std::optional<TaxChoice> m_chosen;
};
