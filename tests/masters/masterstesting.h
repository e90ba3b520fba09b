#pragma once

#include "support/windowdriving.h"

#include <QList>
#include <QStringList>

class TestBook;
struct PartyKind;

// Stores customers or vendors: number, name and the rest of the seven fields, empty when not
// given.
void storeParties(TestBook& book, const PartyKind& kind, const QList<QStringList>& records);
