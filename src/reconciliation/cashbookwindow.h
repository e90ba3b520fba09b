#pragma once

#include "data/money.h"
#include "reconciliation/reconciliationlistmodel.h"
#include "statement/statementimport.h"

#include <QDialog>
#include <QList>

class CashPositionChart;
class GridNavigatorBar;
class GridView;
class QLabel;
class QLineEdit;
struct Services;

// frmCashbook, "Cashbook - Reconciliation": the transactions in date order, in which only
// the reconciliation status can be changed, beside the cashbook current balance, the bank
// statement balance and their absolute difference, worked out again whenever the grid's
// current row moves. A bank statement file can be imported to tick the transactions it
// records; its closing balance is then shown with its difference from the bank statement
// balance. A second page shows the cash position chart. On a book opened read-only the list and the
// figures are only looked at: no status can be changed and no statement imported.
class CashbookWindow : public QDialog {
    Q_OBJECT
public:
    CashbookWindow(Services& services, QWidget* parent = nullptr);
    ~CashbookWindow() override;

    ReconciliationListModel* model() const { return m_model; }
    // The statement import's dialogs; tests replace them with scripted ones.
    void setImportDialogs(StatementImport::Dialogs dialogs) {
        m_importDialogs = std::move(dialogs);
    }

private:
    void buildLayout();
    void load();
    void applySelection(ReconciliationListModel::Selection selection);
    void moveComplete();
    void showFigures();
    void setCalculating(bool calculating);
    void moveTo(int row);
    // The status typed into (or chosen for) the current row's cell.
    void statusEntered(int row, const QString& typed);
    void chooseStatus();
    void importStatement();

    Services& m_services;
    ReconciliationListModel* m_model = nullptr;
    GridView* m_grid = nullptr;
    GridNavigatorBar* m_navigator = nullptr;
    QLineEdit* m_month = nullptr;
    QLineEdit* m_year = nullptr;
    QLineEdit* m_view = nullptr;
    QLineEdit* m_currentBalance = nullptr;
    QLineEdit* m_statementBalance = nullptr;
    QLineEdit* m_difference = nullptr;
    QList<QLabel*> m_calculating;
    CashPositionChart* m_chart = nullptr;
    // The last imported statement's closing balance, beside the bank statement balance.
    QLineEdit* m_closingBalance = nullptr;
    QLineEdit* m_closingDifference = nullptr;
    std::optional<Money> m_closing;
    StatementImport::Dialogs m_importDialogs;
    ReconciliationListModel::Selection m_selection =
        ReconciliationListModel::Selection::CurrentAndOutstanding;
};
