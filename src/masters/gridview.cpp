#include "gridview.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Keeps the cursor on a row that may not be left (its changes were refused).
class RowGuardSelectionModel : public QItemSelectionModel {
public:
    RowGuardSelectionModel(GridView* view, QAbstractItemModel* model)
        : QItemSelectionModel(model, view), m_view(view) {}

    using QItemSelectionModel::select;

    void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override {
        const QModelIndex current = currentIndex();
        if (current.isValid() && index.isValid() && index.row() != current.row() && !m_asking &&
            m_view->canLeaveRow) {
            m_asking = true;
            const bool allowed = m_view->canLeaveRow(current.row(), index.row());
            m_asking = false;
            if (!allowed)
                return;
        }
        QItemSelectionModel::setCurrentIndex(index, command);
    }

    void select(const QItemSelection& selection, SelectionFlags command) override {
        // A click on another row whose move was refused must not select that row.
        const QModelIndex current = currentIndex();
        if (current.isValid())
            for (const QModelIndex& index : selection.indexes())
                if (index.row() != current.row())
                    return;
        QItemSelectionModel::select(selection, command);
    }

private:
    GridView* m_view;
    bool m_asking = false;
};

// Plain text editors whose text goes to the window, and the lookup button of one column.
class GridCellDelegate : public QStyledItemDelegate {
public:
    explicit GridCellDelegate(GridView* view) : QStyledItemDelegate(view), m_view(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        if (m_view->isReadOnly())
            return nullptr;
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setAccessibleName(
            index.model()->headerData(index.column(), Qt::Horizontal).toString());
        m_view->rememberEditor(editor);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const QString text = static_cast<QLineEdit*>(editor)->text();
        if (m_view->cellCommitted)
            m_view->cellCommitted(index, text);
        else
            model->setData(index, text);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override {
        QRect rect = option.rect;
        if (index.column() == m_view->buttonColumn())
            rect.setRight(GridView::buttonRect(option.rect).left() - 1);
        editor->setGeometry(rect);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.column() != m_view->buttonColumn() || !(option.state & QStyle::State_Selected))
            return;
        QStyleOptionButton button;
        button.rect = GridView::buttonRect(option.rect);
        button.text = QStringLiteral("...");
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (index.column() == m_view->buttonColumn() &&
            (event->type() == QEvent::MouseButtonRelease ||
             event->type() == QEvent::MouseButtonDblClick)) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (GridView::buttonRect(option.rect).contains(mouse->position().toPoint())) {
                if (event->type() == QEvent::MouseButtonRelease &&
                    index.row() == m_view->currentIndex().row())
                    emit m_view->cellButtonClicked(index);
                return true;
            }
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

private:
    GridView* m_view;
};

// A double-click hands the row to the caller, so it does not open the cell for typing.
constexpr QAbstractItemView::EditTriggers kEditTriggers = QAbstractItemView::AnyKeyPressed |
                                                          QAbstractItemView::EditKeyPressed |
                                                          QAbstractItemView::SelectedClicked;

} // namespace

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new GridCellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(kEditTriggers);
    setTabKeyNavigation(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
}

void GridView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    // The view made a plain selection model for the new model; ours replaces it.
    QItemSelectionModel* made = selectionModel();
    setSelectionModel(new RowGuardSelectionModel(this, model));
    delete made;
}

void GridView::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : kEditTriggers);
    viewport()->update();
}

QRect GridView::buttonRect(const QRect& cell) {
    const int side = cell.height();
    return QRect(cell.right() - side + 1, cell.top(), side, side);
}

void GridView::commitOpenEditor() {
    if (!m_editor || !isEditing())
        return;
    QLineEdit* editor = m_editor;
    commitData(editor);
    // Closed at once, so that its text (maybe cut by a cell rule since) is not handed over
    // a second time when it loses the focus.
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier) &&
        currentIndex().isValid() && currentIndex().column() == buttonColumn()) {
        commitOpenEditor();
        emit cellButtonClicked(currentIndex());
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !isEditing() &&
        event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit rowEntered();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (index.isValid() && index.column() == buttonColumn() &&
        buttonRect(visualRect(index)).contains(pos)) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    emit rowDoubleClicked();
}
