#pragma once

#include <QString>
#include <functional>

class QAbstractItemModel;
class QWidget;
struct Services;

// How a window that asked the find dialog for a value moves to the record that holds it.
// Record windows (navigator) and grid windows alike supply the two moves.
struct FindTarget {
    // Moves to the first record, searching forward from the first, whose field equals the
    // value (compared as the book compares text); false when no record does.
    std::function<bool(const QString& value)> moveToFirstEqual;
    // Moves to the last record.
    std::function<void()> moveToLast;
};

// What a caller hands the find dialog, and the label of its not-found message
// (the label ends in a space: "Customer ").
struct FindRequest {
    QString caption;
    QString listQuery;
    QString notFoundLabel;
};

// The last step of the caller protocol: looks for value with target.moveToFirstEqual; when
// no record holds it, shows label + value + " was not found." and moves to the last record.
// The value is compared as a value, so any text (an apostrophe too) is found. Returns true
// when the record was found.
bool showFoundRecord(Services& services, FindTarget& target, const QString& notFoundLabel,
                     const QString& value);

// The whole caller protocol: shows the find dialog with the request's
// prompt and query, and when an entry was chosen moves to it as showFoundRecord does.
// Returns true when a record was found and made current.
bool findInCaller(Services& services, QWidget* parent, const FindRequest& request,
                  FindTarget& target);

// Two texts compared as the book compares codes and names: ignoring case.
bool sameText(const QString& a, const QString& b);

// The first row (from 0) of a model whose cell in column shows value, or -1. Fetches
// the model's remaining rows as it goes.
int firstRowShowing(QAbstractItemModel& model, int column, const QString& value);
