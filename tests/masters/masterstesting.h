#pragma once

#include "support/windowdriving.h"

#include <QString>

class QAbstractItemView;

// Types text into a grid cell as a user does and leaves the cell with Enter.
void typeInCell(QAbstractItemView* grid, int row, int column, const QString& text);

// Double-clicks a row of a grid or list.
void doubleClickRow(QAbstractItemView* view, int row, int column = 0);
