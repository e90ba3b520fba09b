#pragma once

#include <QString>
#include <optional>

class Database;

// The single row of tblAccpacSettings: the GL batch's source code and currency, and the
// integration with the outside AP and AR ledgers.
struct AccpacSettingsRow {
    // A GL account as chosen from the chart: code, department and description.
    struct Account {
        QString code;
        QString dept;
        QString description;
    };

    QString glSourceCode;
    // "S" single-currency, "M" multi-currency.
    QString singleMultiCurrency;
    QString homeCurrency;
    QString rateType;

    bool integrateWithAR = false;
    Account arControl;
    Account arClearing;
    QString arControlAccountSet;

    bool integrateWithAP = false;
    Account apControl;
    Account apClearing;
    QString apBankCode;

    // The first row of the table; nothing when the table has none.
    static std::optional<AccpacSettingsRow> load(const Database& db);
    // Writes the first row of the table; false when the table has no row.
    bool save(const Database& db) const;
};
