#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <functional>

// The editable grid of the master windows. It routes the grid events to its window:
// a cell's typed text goes to cellCommitted (the window applies its cell rules and stores
// it), leaving a row asks canLeaveRow (the window writes a changed row and may refuse),
// and one column may carry a lookup button (a click, or Alt+Down in that column, emits
// cellButtonClicked).
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Asked before the cursor moves from one row to another; false keeps it where it is.
    std::function<bool(int fromRow, int toRow)> canLeaveRow;
    // Receives the text typed into a cell when the cell is left.
    std::function<void(const QModelIndex& index, const QString& text)> cellCommitted;

    void setButtonColumn(int column) { m_buttonColumn = column; }
    // The column with the lookup button; none (-1) on a read-only grid.
    int buttonColumn() const { return m_readOnly ? -1 : m_buttonColumn; }

    // A grid that is only looked at (a book opened read-only): no cell opens for typing,
    // whatever its model allows, and the lookup button is neither drawn nor pressed. The
    // cursor still moves and a double-click or Enter still hands a row over.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // Where a cell's lookup button is drawn.
    static QRect buttonRect(const QRect& cell);

    // Hands the text of an open cell editor to cellCommitted and closes the editor, so that
    // a row about to be written holds what was typed.
    void commitOpenEditor();
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    void rememberEditor(QLineEdit* editor) { m_editor = editor; }

signals:
    void cellButtonClicked(const QModelIndex& index);
    // A double-click anywhere on the grid but a lookup button.
    void rowDoubleClicked();
    // Enter on the grid while no cell is being typed into.
    void rowEntered();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int m_buttonColumn = -1;
    bool m_readOnly = false;
    QPointer<QLineEdit> m_editor;
};
