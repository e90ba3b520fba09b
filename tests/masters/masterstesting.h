#pragma once

#include "support/windowdriving.h"

#include <QList>
#include <QStringList>

class QAbstractItemView;
class TestBook;
struct PartyKind;

// Types text into a grid cell as a user does and leaves the cell with Enter.
void typeInCell(QAbstractItemView* grid, int row, int column, const QString& text);

// Double-clicks a row of a grid or list.
void doubleClickRow(QAbstractItemView* view, int row, int column = 0);

// Expects a message box with this text, or matching it when it starts with ^.
void expectBox(TestBook& book, const QString& text);

// Stores customers or vendors: number, name and the rest of the seven fields, empty when not
// given.
void storeParties(TestBook& book, const PartyKind& kind, const QList<QStringList>& records);
