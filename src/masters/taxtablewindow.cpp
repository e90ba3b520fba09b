#include "taxtablewindow.h"

#include "kit/handlerguard.h"
#include "kit/services.h"
#include "masters/gridview.h"
#include "masters/lookups.h"

namespace {

enum Column {
    TaxCode = 0,
    TaxDescription = 1,
    TaxRate = 2,
    GLAccountCode = 3,
    GLAccountDept = 4,
    GLAccountDesc = 5
};

GridWindowDescription taxSpec() {
    using Kind = GridColumn::Kind;
    GridWindowDescription description;
    description.objectName = QStringLiteral("frmTaxTable");
    description.caption = QStringLiteral("Tax Table");
    description.noun = QStringLiteral("Tax Code");
    description.table = QStringLiteral("tblTaxTable");
    description.columns = {
        {QStringLiteral("TaxCode"), QStringLiteral("Tax Code"), Kind::Code, true, 80},
        {QStringLiteral("TaxDescription"), QStringLiteral("Tax Description"), Kind::Text, false,
         180},
        {QStringLiteral("TaxRate"), QStringLiteral("Tax Rate"), Kind::Rate, false, 80},
        {QStringLiteral("GLAccountCode"), QStringLiteral("GL A/c Code"), Kind::Code, false, 100},
        {QStringLiteral("GLAccountDept"), QStringLiteral("GL A/c Dept"), Kind::Code, false, 90},
        {QStringLiteral("GLAccountDesc"), QStringLiteral("GL Account Desc"), Kind::Text, false,
         200},
    };
    description.orderBy = QStringLiteral("TaxCode");
    description.gridTooltip =
        QStringLiteral("If using this form as a lookup, double-click to transfer "
                       "Tax Code etc to another form.");
    description.silentSaveNumbers = {ErrorNumber::MultipleStepErrors};
    description.reReadAfterDelete = true;
    description.buttonColumn = GLAccountCode;
    description.size = QSize(820, 400);
    return description;
}

} // namespace

TaxTableWindow::TaxTableWindow(Services& services, QWidget* parent)
    : GridMaintenanceWindow(services, taxSpec(), parent) {}

void TaxTableWindow::cellButtonClicked(int row, int column) {
    guarded(m_services, objectName(), routineLabel(grid(), "ButtonClick"), [&] {
        if (column != GLAccountCode)
            return;
        const std::optional<AccountChoice> account = lookupChartOfAccounts(m_services, this);
        returnAfterChooser(grid());
        if (!account)
            return;
        // On the new-row line the first value begins a new row in the line's place.
        GridRecordSet& records = recordSet();
        records.setValue(row, GLAccountCode, account->code);
        records.setValue(row, GLAccountDept, account->dept);
        records.setValue(row, GLAccountDesc, account->description);
    });
}

void TaxTableWindow::transferLookup(int row) {
    guarded(m_services, objectName(), routineLabel(grid(), "DblClick"), [&] {
        const GridRecordSet& records = recordSet();
        m_chosen = TaxChoice{records.text(row, TaxCode), records.text(row, TaxRate),
                             records.text(row, GLAccountCode), records.text(row, GLAccountDept)};
        if (m_chosen->code.isEmpty())
            m_chosen.reset();
    });
}
