#pragma once

#include "statement/statement.h"

#include <QList>
#include <QString>

// Proposes, for each statement line, the outstanding transaction of the book it records.
//
// A transaction is a candidate for a line when its bank amount (DoubleEntryBank) equals the
// line's amount. Among candidates, a cheque or reference number equal to the TransID comes
// first; otherwise the nearest date within the window. A line is paired with at most one
// transaction and a transaction with at most one line. Where two candidates are equally
// near (or two lines equally near one transaction) nothing is chosen: the line is ambiguous
// and its candidates are listed for the user.
namespace StatementMatcher {

// An outstanding transaction as the matcher sees it.
struct BookEntry {
    QString transId;
    QDate date;
    Money bankAmount;
};

enum class Kind { None, Reference, Date, Ambiguous };

struct Proposal {
    Kind kind = Kind::None;
    int entry = -1;        // index into the book entries when proposed
    int days = 0;          // the date distance of the proposal
    QList<int> candidates; // every same-amount entry within the window, nearest first
};

constexpr int kDateWindow = 10;

QList<Proposal> match(const QList<StatementLine>& lines, const QList<BookEntry>& entries,
                      int dateWindow = kDateWindow);

// Two numbers written alike once spaces and leading zeros are set aside ("001234", "1234").
bool sameNumber(const QString& a, const QString& b);

} // namespace StatementMatcher
