#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QAbstractItemView;
class QDialog;
class TestBook;

// Driving windows from a test as a user does.

// The widget of type T named `name` in `window`; a missing one ends the run, since every
// later step of the test would only fail for the same reason.
template <class T> T* child(QWidget* window, const QString& name) {
    T* widget = window->findChild<T*>(name);
    if (!widget)
        qFatal("No widget %s in %s", qPrintable(name), qPrintable(window->objectName()));
    return widget;
}

// The text a window's line edit or combo box named `name` shows.
QString textOf(QWidget* window, const QString& name);

// Types text into a grid cell as a user does and leaves the cell with Enter.
void typeInCell(QAbstractItemView* grid, int row, int column, const QString& text);

// Double-clicks a row of a grid or list.
void doubleClickRow(QAbstractItemView* view, int row, int column = 0);

// Shows a window and waits until it is the active one.
bool showActive(QWidget* window);

// Clicks a window's button found by its objectName; fails the test when there is none or
// it is disabled.
void press(QWidget* window, const char* name);
inline void press(QWidget& window, const char* name) {
    press(&window, name);
}

// Runs drive on the next modal window once its event loop is running. A window the test
// leaves open is hidden a few seconds later, so that a failing test cannot hang.
void whenModal(std::function<void(QDialog*)> drive);

// Presses the switchboard's button named `command`, or triggers its menu item of that
// name; false when there is neither or it is disabled.
[[nodiscard]] bool runCommand(QWidget* switchboard, const QString& command);

// Chooses the account `code` in the chart of accounts once it is open as a chooser, by
// double-clicking its row as the user does; an empty code closes the chart unchosen.
void chooseInChart(const QString& code, int triesLeft = 200);

// Adds one account (code, department, description) to the chart.
void addAccount(TestBook& book, const QString& code, const QString& dept,
                const QString& description);
