#pragma once

#include "data/money.h"
#include "reconciliation/reconciliationlistmodel.h"

#include <QDialog>
#include <QList>

class GridNavigatorBar;
class GridView;
class QLabel;
class QLineEdit;
struct Services;

// frmCashbook, "Cashbook - Reconciliation": the transactions in date order, in which only
// the reconciliation status can be changed, beside the cashbook current balance, the bank
// statement balance and their absolute difference, worked out again whenever the grid's
// current row moves.
class CashbookWindow : public QDialog {
    Q_OBJECT
public:
    CashbookWindow(Services& services, QWidget* parent = nullptr);
    ~CashbookWindow() override;

    ReconciliationListModel* model() const { return m_model; }

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
};
