#include "codelistwindow.h"

#include "kit/buttonrow.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "masters/gridrecordset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

CodeListWindow::CodeListWindow(Services& services, List list, QWidget* parent)
    : QDialog(parent), m_services(services), m_list(list) {
    const bool statuses = list == List::TransactionStatuses;
    setObjectName(statuses ? QStringLiteral("frmTransactionStatus")
                           : QStringLiteral("frmTransactionType"));
    setWindowTitle(statuses ? QStringLiteral("Reconciliation Status - Read Only")
                            : QStringLiteral("Transaction Type - Read Only"));
    resize(420, 300);

    auto* layout = new QVBoxLayout(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DataGrid1"));
    m_grid->setAccessibleName(windowTitle());
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setTabKeyNavigation(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_grid, 1);

    guarded(services, objectName(), QStringLiteral("Form Load"), [&] {
        GridRecordSet::Options options;
        options.editable = false;
        if (statuses) {
            options.table = QStringLiteral("tblTransactionStatus");
            options.columns = {{QStringLiteral("TransStatus"), QStringLiteral("Rec Status")},
                               {QStringLiteral("TransStatusDesc"), QStringLiteral("Description")}};
        } else {
            // The whole table, headed by its field names, in its own order.
            options.table = QStringLiteral("tblTransactionType");
            options.columns = GridRecordSet::columnsOf(services.db, options.table);
        }
        m_records = new GridRecordSet(services.db, options, this);
        m_records->open();
        m_grid->setModel(m_records);
        if (m_records->recordCount() > 0)
            m_grid->setCurrentIndex(m_records->index(0, 0));
    });

    if (statuses) {
        m_grid->setToolTip(QStringLiteral("If using this form as a lookup, double-click to "
                                          "transfer Reconciliation Code etc to another form."));
        ButtonRow buttons(this, layout, m_services, objectName());
        buttons.add(QStringLiteral("cmdClose"), QStringLiteral("&Close"), [this] { accept(); });
        connect(m_grid, &QTableView::doubleClicked, this, &CodeListWindow::onDoubleClick);
        m_grid->installEventFilter(this);
        // No function keys here, but F1 still opens the window's help.
        installHelpKey(this, services, objectName());
    } else {
        installFunctionKeys(this, services, objectName());
    }
}

void CodeListWindow::onDoubleClick() {
    guarded(m_services, objectName(), routineLabel(m_grid, "DblClick"), [this] {
        const QModelIndex current = m_grid->currentIndex();
        const QString code = current.isValid() ? m_records->text(current.row(), 0) : QString();
        m_chosen = code.isEmpty() ? std::nullopt : std::optional(code);
        accept();
    });
}

bool CodeListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && m_choosing && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            onDoubleClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CodeListWindow::done(int result) {
    m_services.busy.reset();
    QDialog::done(result);
}
