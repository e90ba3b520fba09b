#include "gridmaintenancewindow.h"

#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "masters/gridnavigatorbar.h"
#include "masters/gridview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

GridMaintenanceWindow::GridMaintenanceWindow(Services& services, GridWindowDescription description,
                                             QWidget* parent)
    : QDialog(parent), m_services(services), m_description(std::move(description)),
      m_readOnly(services.db.isReadOnly()) {
    setObjectName(m_description.objectName);
    setWindowTitle(m_description.caption);
    resize(m_description.size);

    m_records = new GridRecordSet(
        services.db,
        {m_description.table, m_description.columns, m_description.orderBy, !m_readOnly}, this);

    auto* layout = new QVBoxLayout(this);
    m_grid = new GridView(this);
    m_grid->setObjectName(QStringLiteral("grdDataGrid"));
    m_grid->setToolTip(m_description.gridTooltip);
    m_grid->setAccessibleName(m_description.caption);
    m_grid->setModel(m_records);
    m_grid->setButtonColumn(m_description.buttonColumn);
    m_grid->setReadOnly(m_readOnly);
    for (int i = 0; i < m_description.columns.size(); ++i)
        m_grid->setColumnWidth(i, m_description.columns.at(i).width);
    layout->addWidget(m_grid, 1);

    m_navigator = new GridNavigatorBar(this);
    layout->addWidget(m_navigator);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("picButtons"));
    m_buttons = new QHBoxLayout(panel);
    m_buttons->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    QPushButton* add = addCommandButton("cmdAdd", QStringLiteral("&Add"), Command::Writes);
    QPushButton* save = addCommandButton("cmdUpdate", QStringLiteral("&Save"), Command::Writes);
    QPushButton* remove = addCommandButton("cmdDelete", QStringLiteral("&Delete"), Command::Writes);
    m_close = new QPushButton(QStringLiteral("&Close"), panel);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    m_close->setAutoDefault(false);
    m_buttons->addWidget(m_close);

    m_grid->canLeaveRow = [this](int fromRow, int toRow) { return canLeaveRow(fromRow, toRow); };
    m_grid->cellCommitted = [this](const QModelIndex& index, const QString& text) {
        cellCommitted(index, text);
    };
    connect(m_grid, &GridView::cellButtonClicked, this,
            [this](const QModelIndex& index) { cellButtonClicked(index.row(), index.column()); });
    connect(m_grid, &GridView::rowDoubleClicked, this, &GridMaintenanceWindow::onDoubleClick);
    connect(m_grid, &GridView::rowEntered, this, [this] {
        if (m_choosing)
            onDoubleClick();
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &GridMaintenanceWindow::updateCaption);
    connect(m_records, &QAbstractItemModel::rowsInserted, this,
            &GridMaintenanceWindow::updateCaption);
    connect(m_records, &QAbstractItemModel::rowsRemoved, this,
            &GridMaintenanceWindow::updateCaption);

    connect(m_navigator, &GridNavigatorBar::firstRequested, this, [this] { moveFirst(); });
    connect(m_navigator, &GridNavigatorBar::lastRequested, this, [this] { moveLast(); });
    connect(m_navigator, &GridNavigatorBar::previousRequested, this, [this] {
        const int row = currentRow();
        moveTo(row < 0 || row > m_records->recordCount() ? 0 : std::max(0, row - 1));
    });
    connect(m_navigator, &GridNavigatorBar::nextRequested, this,
            [this] { moveTo(std::min(currentRow() + 1, m_records->recordCount() - 1)); });

    connect(add, &QPushButton::clicked, this, &GridMaintenanceWindow::onAdd);
    connect(save, &QPushButton::clicked, this, &GridMaintenanceWindow::onSave);
    connect(remove, &QPushButton::clicked, this, &GridMaintenanceWindow::onDelete);
    connect(m_close, &QPushButton::clicked, this, [this] {
        guarded(m_services, objectName(), QStringLiteral("cmdClose"), [this] { closeWindow(); });
    });

    installFunctionKeys(this, services, objectName());

    guarded(services, objectName(), QStringLiteral("Form Load"), [this] {
        m_records->open();
        positionAfterOpening();
    });
    updateCaption();
}

QString GridMaintenanceWindow::cutCode(const QString& text) {
    return text.size() > 6 ? text.left(6).toUpper() : text;
}

QPushButton* GridMaintenanceWindow::addCommandButton(const char* name, const QString& caption,
                                                     Command command) {
    auto* button = new QPushButton(caption, m_buttons->parentWidget());
    button->setObjectName(QString::fromLatin1(name));
    button->setEnabled(!(m_readOnly && command == Command::Writes));
    // Enter belongs to the grid, never to a default button.
    button->setAutoDefault(false);
    m_buttons->insertWidget(m_close ? m_buttons->indexOf(m_close) : m_buttons->count(), button);
    if (m_close)
        setTabOrder(button, m_close);
    return button;
}

int GridMaintenanceWindow::currentRow() const {
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool GridMaintenanceWindow::moveTo(int row) {
    if (row < 0 || row >= m_records->rowCount())
        return false;
    const int column = std::max(0, m_grid->currentIndex().column());
    const QModelIndex target = m_records->index(row, column);
    m_grid->setCurrentIndex(target);
    if (currentRow() != row)
        return false;
    m_grid->scrollTo(target);
    return true;
}

bool GridMaintenanceWindow::moveLast() {
    return moveTo(m_records->recordCount() - 1);
}

void GridMaintenanceWindow::positionAfterOpening() {
    if (m_records->isEmpty())
        moveTo(m_records->newRowLine());
    else
        moveTo(0);
}

void GridMaintenanceWindow::reopen() {
    m_records->open();
    positionAfterOpening();
    updateCaption();
}

FindTarget GridMaintenanceWindow::findTarget(int column) {
    FindTarget target;
    target.moveToFirstEqual = [this, column](const QString& value) {
        for (int row = 0; row < m_records->recordCount(); ++row)
            if (sameText(m_records->text(row, column), value)) {
                moveTo(row);
                return true;
            }
        return false;
    };
    target.moveToLast = [this] { moveLast(); };
    return target;
}

void GridMaintenanceWindow::updateCaption() {
    guarded(m_services, objectName(), QStringLiteral("MoveComplete"), [this] {
        const int count = m_records->recordCount();
        if (count == 0) {
            m_navigator->setCaption(m_description.noun + QStringLiteral(": 0"));
            return;
        }
        // On the blank new-row line no record is current yet: the caption shows the last.
        const int row = std::clamp(currentRow(), 0, count - 1);
        m_navigator->setCaption(m_description.noun + QStringLiteral(": ") +
                                QString::number(row + 1) + QStringLiteral(" of ") +
                                QString::number(count));
    });
}

void GridMaintenanceWindow::cellCommitted(const QModelIndex& index, const QString& text) {
    const int row = index.row();
    const int column = index.column();
    // A code's blanks are no part of it: the cell rules see the code itself.
    const GridColumn& heading = m_description.columns.at(column);
    QString typed = heading.kind == GridColumn::Kind::Code ? text.trimmed() : text;
    if (typed == m_records->text(row, column))
        return;
    beforeColumnUpdate(column, typed);
    const std::optional<QVariant> value = m_records->valueFromText(column, typed);
    if (!value) {
        m_services.prompts.critical(Messages::notAPercentage(heading.heading));
        return;
    }
    if (!m_records->setValue(row, column, *value))
        return;
    afterColumnUpdate(row, column);
    updateCaption();
}

bool GridMaintenanceWindow::writePendingRow() {
    m_grid->commitOpenEditor();
    if (!m_records->isInEdit())
        return true;
    if (!beforeRowUpdate(m_records->editRow()))
        return false;
    try {
        m_records->commitEdit();
    } catch (const Failure& failure) {
        showGridError(failure);
        return false;
    }
    return true;
}

bool GridMaintenanceWindow::canLeaveRow(int fromRow, int /*toRow*/) {
    if (m_records->editRow() != fromRow && !m_grid->isEditing())
        return true;
    return writePendingRow();
}

void GridMaintenanceWindow::showGridError(const Failure& failure) {
    // The grid reports a row the book refused with the book's own message.
    m_services.prompts.critical(failure.description());
}

void GridMaintenanceWindow::onAdd() {
    guarded(m_services, objectName(), QStringLiteral("cmdAdd"), [this] {
        if (m_records->isEmpty())
            return;
        if (!moveLast())
            return;
        m_grid->setFocus();
        moveTo(m_records->newRowLine());
    });
}

void GridMaintenanceWindow::onSave() {
    guarded(m_services, objectName(), QStringLiteral("cmdUpdate"), [this] {
        m_grid->commitOpenEditor();
        if (m_records->isEmpty()) {
            m_services.prompts.information(Messages::noRecordToSave());
            return;
        }
        try {
            if (m_records->isInEdit()) {
                if (!beforeRowUpdate(m_records->editRow()))
                    throw Failure::operationCancelled();
                m_records->commitEdit();
            }
        } catch (const Failure& failure) {
            if (m_description.silentSaveNumbers.contains(failure.number()))
                return;
            throw;
        }
        m_services.prompts.information(Messages::recordSaved());
    });
}

void GridMaintenanceWindow::onDelete() {
    guarded(m_services, objectName(), QStringLiteral("cmdDelete"), [this] {
        if (m_records->isEmpty()) {
            m_services.prompts.information(Messages::noRecordsToDelete());
            return;
        }
        const int row = currentRow();
        // The blank new-row line holds no record.
        if (row < 0 || row >= m_records->recordCount())
            return;
        if (!m_services.prompts.ask(Messages::confirmDelete()))
            return;
        m_records->deleteRecord(row);
        if (m_description.reReadAfterDelete) {
            reopen();
            // One row down from the first; past the end of the records means the last one.
            if (m_records->recordCount() > 1)
                moveTo(1);
            else
                moveLast();
        } else if (m_records->isEmpty()) {
            moveTo(m_records->newRowLine());
        } else {
            moveTo(std::min(row, m_records->recordCount() - 1));
        }
        updateCaption();
    });
}

void GridMaintenanceWindow::onDoubleClick() {
    if (!writePendingRow())
        return;
    transferLookup(currentRow());
    closeWindow();
}

void GridMaintenanceWindow::closeWindow() {
    done(QDialog::Accepted);
}

void GridMaintenanceWindow::done(int result) {
    // A changed row is written before the window goes; a refusal keeps the window open.
    if (!writePendingRow())
        return;
    m_services.busy.reset();
    QDialog::done(result);
}

void GridMaintenanceWindow::keyPressEvent(QKeyEvent* event) {
    // Esc first undoes the row's pending changes; only an unchanged window closes on it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        m_records->isInEdit()) {
        m_records->cancelEdit();
        updateCaption();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void GridMaintenanceWindow::beforeColumnUpdate(int, QString&) {}
void GridMaintenanceWindow::afterColumnUpdate(int, int) {}
bool GridMaintenanceWindow::beforeRowUpdate(int) {
    return true;
}
void GridMaintenanceWindow::cellButtonClicked(int, int) {}
