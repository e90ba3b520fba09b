#pragma once

#include "masters/gridmaintenancewindow.h"

// frmDepartments: the departments that qualify general-ledger accounts. Also the chooser
// of a department: it empties LookupValue2 when it opens, and a double-click hands the
// department code back in LookupValue2.
class DepartmentsWindow : public GridMaintenanceWindow {
    Q_OBJECT
public:
    explicit DepartmentsWindow(Services& services, QWidget* parent = nullptr);

protected:
    void beforeColumnUpdate(int column, QString& text) override;
    bool beforeRowUpdate(int row) override;
    void transferLookup(int row) override;
};
