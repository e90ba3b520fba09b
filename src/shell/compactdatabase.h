#pragma once

#include "data/bookcompaction.h"

#include <QString>

struct Services;

// The question asked before compacting.
QString compactDatabaseQuestion();

// Tools > Compact Database: asks, refuses while another Quillan program has the book open
// (BookLock::claim) or the book may not change, then rewrites it without its free space and
// reopens the shared connection on it. A failure of the copy or of its replacement is
// reported as "CompactDB" and leaves the book as it was, with the connection open.
// Other failures propagate to the caller's handler guard. `beforeStep` lets tests make a
// step fail.
void CompactDatabase(Services& services, const BookCompaction::StepHook& beforeStep = {});
