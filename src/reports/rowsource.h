#pragma once

#include <QStringList>
#include <QVariantList>

// One row of a report: its key in the report's order, and the values of the fields the
// report asked for, in the order it asked for them.
struct ReportRow {
    QVariantList key;
    QVariantList values;
};

// Where a report's rows come from, in the report's order. A report never holds its rows: it
// reads them forward, and starts again from a remembered key to paint a page.
class RowSource {
public:
    virtual ~RowSource() = default;
    // Starts reading, with `fields`, from the row whose key is `from` (the first row when
    // `from` is empty). Throws Failure.
    virtual void start(const QStringList& fields, const QVariantList& from) = 0;
    // The next row; false after the last.
    virtual bool next(ReportRow& row) = 0;
    // How many of the key's leading values are the order the report is sorted by (the rest
    // only tell equal rows apart); groups are made of these.
    virtual int orderKeyCount() const = 0;
};
