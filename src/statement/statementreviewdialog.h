#pragma once

#include <QDialog>

class QLabel;
class QTableView;
class StatementReviewModel;
struct Statement;

// "Import Statement - Review": the statement's lines beside the transactions proposed for
// them. The user ticks or unticks each line, picks another transaction for a line from a
// drop-down of its candidates, and accepts; Cancel writes nothing.
class StatementReviewDialog : public QDialog {
    Q_OBJECT
public:
    StatementReviewDialog(StatementReviewModel& model, const Statement& statement,
                          int alreadyImported, QWidget* parent = nullptr);

private:
    void updateSummary();

    StatementReviewModel& m_model;
    QTableView* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QString m_closing;
    int m_alreadyImported = 0;
};
