#include "statementreviewdialog.h"

#include "statement/statementreviewmodel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The transaction column's drop-down: the line's candidates, and none.
class TransactionDelegate : public QStyledItemDelegate {
public:
    TransactionDelegate(StatementReviewModel& model, QObject* parent)
        : QStyledItemDelegate(parent), m_model(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cboTransaction"));
        combo->addItem(m_model.describe(-1), -1);
        for (const int entry : m_model.choicesFor(index.row()))
            combo->addItem(m_model.describe(entry), entry);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* combo = static_cast<QComboBox*>(editor);
        combo->setCurrentIndex(std::max(0, combo->findData(index.data(Qt::EditRole))));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentData(), Qt::EditRole);
    }

private:
    StatementReviewModel& m_model;
};

} // namespace

StatementReviewDialog::StatementReviewDialog(StatementReviewModel& model,
                                             const Statement& statement, int alreadyImported,
                                             QWidget* parent)
    : QDialog(parent), m_model(model), m_alreadyImported(alreadyImported) {
    setObjectName(QStringLiteral("frmStatementReview"));
    setWindowTitle(QStringLiteral("Import Statement - Review"));
    if (statement.closingBalance)
        m_closing = QStringLiteral("Statement closing balance %1%2.")
                        .arg(statement.closingBalance->format(Money::Format::Written),
                             statement.closingDate.isValid()
                                 ? QStringLiteral(" on ") +
                                       statement.closingDate.toString(QStringLiteral("dd MMM yyyy"))
                                 : QString());

    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("grdStatement"));
    m_table->setModel(&model);
    m_table->setItemDelegateForColumn(StatementReviewModel::Transaction,
                                      new TransactionDelegate(model, m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked);
    m_table->horizontalHeader()->setSectionResizeMode(StatementReviewModel::Text,
                                                      QHeaderView::Stretch);
    m_table->resizeColumnsToContents();
    layout->addWidget(m_table);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* accept =
        buttons->addButton(QStringLiteral("&Accept"), QDialogButtonBox::AcceptRole);
    accept->setObjectName(QStringLiteral("cmdAccept"));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(&model, &QAbstractItemModel::dataChanged, this, &StatementReviewDialog::updateSummary);
    updateSummary();
    resize(900, 500);
    m_table->setFocus();
}

void StatementReviewDialog::updateSummary() {
    QString text = QStringLiteral("%1 line(s); %2 accepted to be set to Reconciled.")
                       .arg(m_model.rowCount())
                       .arg(m_model.acceptedCount());
    if (m_alreadyImported > 0)
        text += QStringLiteral(" %1 line(s) imported before are left out.").arg(m_alreadyImported);
    if (!m_closing.isEmpty())
        text += QLatin1Char(' ') + m_closing;
    m_summary->setText(text);
}
