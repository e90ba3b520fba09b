#pragma once

#include "data/failure.h"
#include "masters/findincaller.h"
#include "masters/gridrecordset.h"

#include <QDialog>
#include <QList>

class GridNavigatorBar;
class GridView;
class QPushButton;
class QHBoxLayout;
struct Services;

// What distinguishes one grid maintenance window from another.
struct GridWindowDescription {
    QString objectName;
    QString caption;
    // The navigator's noun: "Account" gives "Account: 0" and "Account: 3 of 120".
    QString noun;
    QString table;
    QList<GridColumn> columns;
    QString orderBy;
    QString gridTooltip;
    // Failure numbers with which Save ends without a message.
    QList<qint64> silentSaveNumbers;
    // After a deletion: re-read the list and stand on its second row (true), or stay and
    // stand on the row that followed the deleted one (false).
    bool reReadAfterDelete = true;
    // The column that carries a lookup button, or -1.
    int buttonColumn = -1;
    QSize size = QSize(640, 420);
};

// The grid maintenance pattern shared by the chart of accounts, departments and the tax
// table: an editable grid over the window's record set with a blank new-row line, the
// navigator with its position caption, and Add, Save, Delete and Close. A changed row is
// written when the cursor leaves it, on Save and on closing; a write that is refused
// keeps the cursor on the row with the user's edits. Each window adds its own cell and
// row rules, lookup buttons and double-click transfer through the virtual hooks.
//
// On a book opened read-only the window is for looking: the grid moves, finds and hands a
// row over, but no cell opens for typing, there is no new-row line or lookup button, and
// every command that writes is disabled.
class GridMaintenanceWindow : public QDialog {
    Q_OBJECT
public:
    // The cell rule of the code columns: a text longer than 6 characters becomes its first
    // 6 characters upper-cased; a shorter one stays as typed.
    static QString cutCode(const QString& text);

    GridRecordSet& recordSet() { return *m_records; }
    GridView* grid() { return m_grid; }
    GridNavigatorBar* navigator() { return m_navigator; }

    // The row under the grid's cursor (the new-row line counts), or -1.
    int currentRow() const;
    // Moves the cursor to a row, writing a changed row first; false when it did not move.
    bool moveTo(int row);
    bool moveFirst() { return moveTo(0); }
    bool moveLast();

    // The record set's moves for the find dialog's caller protocol, by a column's text.
    FindTarget findTarget(int column);

    // Writes the row in edit as leaving it does; false (after the message) when refused.
    bool writePendingRow();

    // A window opened to choose a row: Enter on the grid then hands the row over as a
    // double-click does.
    void setChoosing(bool choosing) { m_choosing = choosing; }

    void done(int result) override;

protected:
    GridMaintenanceWindow(Services& services, GridWindowDescription description, QWidget* parent);

    // What a command does to the book: one that writes is disabled on a read-only book.
    enum class Command { Reads, Writes };
    // Adds a command button to the button panel, before Close.
    QPushButton* addCommandButton(const char* name, const QString& caption, Command command);
    // Re-opens the record set from the book (the cursor on the first row).
    void reopen();
    // Closes the window as Close does.
    void closeWindow();

    // Cell rule before a changed cell is accepted: may change the typed text.
    virtual void beforeColumnUpdate(int column, QString& text);
    // Cell rule after a changed cell was accepted.
    virtual void afterColumnUpdate(int row, int column);
    // Row rule before a changed row is written; false (after its message) refuses it.
    virtual bool beforeRowUpdate(int row);
    // The lookup button of a column was pressed on a row.
    virtual void cellButtonClicked(int row, int column);
    // Double-click: keeps the row as the window's choice.
    virtual void transferLookup(int row) = 0;

    void keyPressEvent(QKeyEvent* event) override;

    Services& m_services;

private:
    void positionAfterOpening();
    void updateCaption();
    void cellCommitted(const QModelIndex& index, const QString& text);
    bool canLeaveRow(int fromRow, int toRow);
    void showGridError(const Failure& failure);

    void onAdd();
    void onSave();
    void onDelete();
    void onDoubleClick();

    GridWindowDescription m_description;
    GridRecordSet* m_records = nullptr;
    GridView* m_grid = nullptr;
    GridNavigatorBar* m_navigator = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    QPushButton* m_close = nullptr;
    bool m_choosing = false;
    const bool m_readOnly;
};
