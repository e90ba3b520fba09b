#include "chartofaccountswindow.h"

#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "masters/gridview.h"
#include "masters/lookups.h"

#include <QPushButton>

namespace {

enum Column { AccountCode = 0, DeptCode = 1, AccountDescription = 2 };

GridWindowDescription chartSpec() {
    GridWindowDescription description;
    description.objectName = QStringLiteral("frmChartOfAccounts");
    description.caption = QStringLiteral("Chart Of Accounts");
    description.noun = QStringLiteral("Account");
    description.table = QStringLiteral("tblChartOfAccounts");
    description.columns = {
        {QStringLiteral("AccountCode"), QStringLiteral("Account Code"), GridColumn::Kind::Code,
         true, 110},
        {QStringLiteral("DeptCode"), QStringLiteral("Dept Code"), GridColumn::Kind::Code, true,
         110},
        {QStringLiteral("AccountDescription"), QStringLiteral("Account Description"),
         GridColumn::Kind::Text, false, 300},
    };
    description.orderBy = QStringLiteral(R"("AccountCode", "DeptCode")");
    description.gridTooltip =
        QStringLiteral("If using this form as a lookup, double-click to transfer "
                       "Account Code etc to another form.");
    description.silentSaveNumbers = {ErrorNumber::MultipleStepErrors,
                                     ErrorNumber::OperationCancelled};
    description.reReadAfterDelete = true;
    description.buttonColumn = DeptCode;
    description.size = QSize(640, 460);
    return description;
}

} // namespace

ChartOfAccountsWindow::ChartOfAccountsWindow(Services& services, QWidget* parent)
    : GridMaintenanceWindow(services, chartSpec(), parent) {
    QPushButton* find = addCommandButton("cmdFindByDesc", QStringLiteral("&Find"), Command::Reads);
    QPushButton* deleteAll =
        addCommandButton("cmdDeleteAll", QStringLiteral("&Delete All"), Command::Writes);
    QPushButton* restore =
        addCommandButton("cmdRestore", QStringLiteral("&Restore Sample"), Command::Writes);
    connect(find, &QPushButton::clicked, this, &ChartOfAccountsWindow::onFind);
    connect(deleteAll, &QPushButton::clicked, this, &ChartOfAccountsWindow::onDeleteAll);
    connect(restore, &QPushButton::clicked, this, &ChartOfAccountsWindow::onRestore);
}

void ChartOfAccountsWindow::beforeColumnUpdate(int column, QString& text) {
    guarded(m_services, objectName(), routineLabel(grid(), "BCU"), [&] {
        if (column == AccountCode || column == DeptCode)
            text = cutCode(text);
    });
}

void ChartOfAccountsWindow::afterColumnUpdate(int row, int column) {
    guarded(m_services, objectName(), routineLabel(grid(), "AU"), [&] {
        GridRecordSet& records = recordSet();
        if (column != AccountCode || records.text(row, AccountCode).isEmpty())
            return;
        // No department is the empty text, as the sample chart and the import store it.
        if (records.value(row, DeptCode).isNull())
            records.setValue(row, DeptCode, QStringLiteral(""));
        if (records.text(row, AccountDescription).isEmpty())
            records.setValue(row, AccountDescription, QStringLiteral("Need to enter desc"));
    });
}

bool ChartOfAccountsWindow::beforeRowUpdate(int row) {
    bool accepted = true;
    guarded(m_services, objectName(), routineLabel(grid(), "BU"), [&] {
        GridRecordSet& records = recordSet();
        if (records.text(row, AccountCode).isEmpty()) {
            m_services.prompts.critical(Messages::accountCodeRequired());
            accepted = false;
            return;
        }
        // Stored as empty text, never as null.
        if (records.value(row, DeptCode).isNull())
            records.setValue(row, DeptCode, QStringLiteral(""));
    });
    return accepted;
}

void ChartOfAccountsWindow::cellButtonClicked(int row, int column) {
    guarded(m_services, objectName(), routineLabel(grid(), "ButtonClick"), [&] {
        if (column != DeptCode)
            return;
        const std::optional<QString> dept = lookupDepartment(m_services, this);
        returnAfterChooser(grid());
        if (dept)
            recordSet().setValue(row, DeptCode, *dept);
    });
}

void ChartOfAccountsWindow::transferLookup(int row) {
    guarded(m_services, objectName(), routineLabel(grid(), "DblClick"), [&] {
        const GridRecordSet& records = recordSet();
        m_chosen = AccountChoice{records.text(row, AccountCode), records.text(row, DeptCode),
                                 records.text(row, AccountDescription)};
        if (m_chosen->code.isEmpty())
            m_chosen.reset();
    });
}

void ChartOfAccountsWindow::onFind() {
    guarded(m_services, objectName(), QStringLiteral("cmdFind"), [this] {
        FindTarget target = findTarget(AccountDescription);
        findInCaller(
            m_services, this,
            {QStringLiteral("Type Account Description to find"),
             QStringLiteral(R"(SELECT "AccountDescription" FROM "tblChartOfAccounts" ORDER BY )"
                            R"("AccountDescription")"),
             QStringLiteral("Account Description ")},
            target);
        returnAfterChooser(grid());
    });
}

void ChartOfAccountsWindow::onDeleteAll() {
    guarded(m_services, objectName(), QStringLiteral("cmdDelete"), [this] {
        if (recordSet().isEmpty()) {
            m_services.prompts.information(Messages::noRecordsToDelete());
            return;
        }
        if (!m_services.prompts.ask(Messages::confirmDeleteAllAccounts()))
            return;
        DeleteAll();
    });
}

void ChartOfAccountsWindow::DeleteAll() {
    guarded(m_services, objectName(), QStringLiteral("Delete All"), [this] {
        recordSet().cancelEdit();
        m_services.db.exec(QStringLiteral(R"(DELETE FROM "tblChartOfAccounts")"));
        reopen();
    });
}

void ChartOfAccountsWindow::onRestore() {
    guarded(m_services, objectName(), QStringLiteral("cmdRestore"), [this] {
        if (!m_services.prompts.ask(Messages::confirmRestoreSampleChart()))
            return;
        // The user's unsaved row goes in first, as leaving it would write it.
        if (!writePendingRow())
            return;
        try {
            m_services.db.exec(
                QStringLiteral(R"(INSERT INTO "tblChartOfAccounts" ("AccountCode", "DeptCode", )"
                               R"("AccountDescription" ) )") +
                QStringLiteral(R"(SELECT "tblChartOfAccountsSample"."AccountCode", )"
                               R"("tblChartOfAccountsSample"."DeptCode", )"
                               R"("tblChartOfAccountsSample"."AccountDescription" )") +
                QStringLiteral(R"(FROM "tblChartOfAccountsSample";)"));
        } catch (const Failure& failure) {
            if (!failure.isDuplicateKey())
                throw;
            m_services.prompts.critical(Messages::sampleChartWouldDuplicate());
            return;
        }
        reopen();
        closeWindow();
    });
}
