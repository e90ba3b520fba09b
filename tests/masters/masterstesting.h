#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QAbstractItemView;
class QDialog;
class QWidget;
class TestBook;

// Runs drive on the next modal window once its event loop is running. A window the test
// leaves open is hidden a few seconds later, so that a failing test cannot hang.
void whenModal(std::function<void(QDialog*)> drive);

// Types text into a grid cell as a user does and leaves the cell with Enter.
void typeInCell(QAbstractItemView* grid, int row, int column, const QString& text);

// Double-clicks a row of a grid or list.
void doubleClickRow(QAbstractItemView* view, int row, int column = 0);

// Clicks a window's button found by its objectName.
void press(QWidget* window, const char* name);

// The texts of one column of a view's model, in row order.
QStringList columnTexts(QAbstractItemView* view, int column);

// Adds accounts (code, department, description) to the chart.
void addAccounts(TestBook& book, const QList<QStringList>& accounts);
