#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

// One of the three master tables that can be written to and read from a comma-delimited
// file: what is exported, and which field each value of an imported line goes to.
struct MasterFile {
    enum class Kind { Accounts, Customers, Vendors };

    Kind kind;
    QString table;
    // The export's query, run as written: its columns are the file's values in order.
    QString exportQuery;
    // The fields the values of an imported line go to, in line order; their number is
    // the number of values a line must hold.
    QStringList fields;

    static const MasterFile& accounts();
    static const MasterFile& customers();
    static const MasterFile& vendors();
    static const MasterFile& of(Kind kind);

    int valuesPerLine() const { return int(fields.size()); }
    // The statement that adds one imported record (values bound, never spliced).
    QString insertStatement() const;
    // The bound values for one line's values; an account also gets its AcctDept,
    // the account code, a comma and the department code.
    QVariantList insertValues(const QStringList& values) const;
};
