#pragma once

#include <QDialog>
#include <optional>

class GridRecordSet;
class QTableView;
struct Services;

// The read-only lists of the fixed codes: frmTransactionType (every field of
// tblTransactionType) and frmTransactionStatus (the reconciliation statuses, also the
// chooser of a status: a double-click hands the code back as chosen()).
class CodeListWindow : public QDialog {
    Q_OBJECT
public:
    enum class List { TransactionTypes, TransactionStatuses };

    CodeListWindow(Services& services, List list, QWidget* parent = nullptr);

    QTableView* grid() { return m_grid; }

    // Opened to choose a status: Enter on the list then hands the row over as a
    // double-click does.
    void setChoosing(bool choosing) { m_choosing = choosing; }
    std::optional<QString> chosen() const { return m_chosen; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onDoubleClick();

    Services& m_services;
    List m_list;
    GridRecordSet* m_records = nullptr;
    QTableView* m_grid = nullptr;
    bool m_choosing = false;
    std::optional<QString> m_chosen;
};
