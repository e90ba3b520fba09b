#pragma once

#include <QDialog>

class GridRecordSet;
class QTableView;
struct Services;

// The read-only lists of the fixed codes: frmTransactionType (every field of
// tblTransactionType) and frmTransactionStatus (the reconciliation statuses, also the
// chooser of a status: a double-click hands the code back in LookupValue1).
class CodeListWindow : public QDialog {
    Q_OBJECT
public:
    enum class List { TransactionTypes, TransactionStatuses };

    CodeListWindow(Services& services, List list, QWidget* parent = nullptr);

    QTableView* grid() { return m_grid; }

    void done(int result) override;

private:
    void onDoubleClick();

    Services& m_services;
    List m_list;
    GridRecordSet* m_records = nullptr;
    QTableView* m_grid = nullptr;
};
