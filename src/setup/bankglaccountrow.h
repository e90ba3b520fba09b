#pragma once

#include <QString>
#include <optional>

class Database;

// The GL account that stands for the bank itself, in the single row of tblSystemSetup.
struct BankGlAccountRow {
    QString accountCode;
    QString deptCode;
    QString description;

    // The first row of the table; nothing when the table has none.
    static std::optional<BankGlAccountRow> load(const Database& db);
    // Writes the first row of the table; false when the table has no row.
    bool save(const Database& db) const;
};
