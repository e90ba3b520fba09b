#include "departmentswindow.h"

#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "masters/gridview.h"

namespace {

enum Column { DeptCode = 0, DeptDescription = 1 };

GridWindowDescription departmentsSpec() {
    GridWindowDescription description;
    description.objectName = QStringLiteral("frmDepartments");
    description.caption = QStringLiteral("Departments");
    description.noun = QStringLiteral("Department");
    description.table = QStringLiteral("tblDepartments");
    description.columns = {
        {QStringLiteral("DeptCode"), QStringLiteral("Dept Code"), GridColumn::Kind::Code, true,
         110},
        {QStringLiteral("DeptDescription"), QStringLiteral("Dept Description"),
         GridColumn::Kind::Text, false, 300},
    };
    description.orderBy = QStringLiteral("DeptCode");
    description.gridTooltip =
        QStringLiteral("If using this form as a lookup, double-click to transfer "
                       "Dept Code etc to another form.");
    description.silentSaveNumbers = {ErrorNumber::OperationCancelled};
    description.reReadAfterDelete = false;
    description.size = QSize(480, 400);
    return description;
}

} // namespace

DepartmentsWindow::DepartmentsWindow(Services& services, QWidget* parent)
    : GridMaintenanceWindow(services, departmentsSpec(), parent) {}

void DepartmentsWindow::beforeColumnUpdate(int column, QString& text) {
    guarded(m_services, objectName(), QStringLiteral("DataGrid BCU"), [&] {
        if (column == DeptCode)
            text = cutCode(text);
    });
}

bool DepartmentsWindow::beforeRowUpdate(int row) {
    bool accepted = true;
    guarded(m_services, objectName(), routineLabel(grid(), "BU"), [&] {
        GridRecordSet& records = recordSet();
        if (records.text(row, DeptCode).isEmpty()) {
            m_services.prompts.critical(Messages::departmentCodeRequired());
            accepted = false;
            return;
        }
        // Stored as empty text, never as null.
        if (records.value(row, DeptDescription).isNull())
            records.setValue(row, DeptDescription, QStringLiteral(""));
    });
    return accepted;
}

void DepartmentsWindow::transferLookup(int row) {
    guarded(m_services, objectName(), QStringLiteral("DataGrid DblClick"), [&] {
        const QString code = recordSet().text(row, DeptCode);
        m_chosen = code.isEmpty() ? std::nullopt : std::optional(code);
    });
}
