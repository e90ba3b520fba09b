#pragma once

#include "masters/gridmaintenancewindow.h"

#include <optional>

// frmDepartments: the departments that qualify general-ledger accounts. Also the chooser
// of a department: a double-click hands the department code back as chosen().
class DepartmentsWindow : public GridMaintenanceWindow {
    Q_OBJECT
public:
    explicit DepartmentsWindow(Services& services, QWidget* parent = nullptr);

    std::optional<QString> chosen() const { return m_chosen; }

protected:
    void beforeColumnUpdate(int column, QString& text) override;
    bool beforeRowUpdate(int row) override;
    void transferLookup(int row) override;

private:
    std::optional<QString> m_chosen;
};
