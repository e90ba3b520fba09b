#pragma once

#include <QString>
#include <optional>

class Database;

// The company's name and address in the single row of tblSystemSetup, kept as typed.
struct CompanyDetailsRow {
    QString companyName;
    QString address1;
    QString address2;
    QString address3;

    // The first row of the table; nothing when the table has none.
    static std::optional<CompanyDetailsRow> load(const Database& db);
    // Writes the first row of the table; false when the table has no row.
    bool save(const Database& db) const;
};
