#pragma once

#include <QString>
#include <QVariant>

class Database;

// The settings of the single-row tables, read by a numeric key so that no caller
// needs to know which table holds which setting.
namespace Settings {

enum Key {
    APClearing = 0,
    APControl = 1,
    IntegrateWithAP = 2,
    ARClearing = 3,
    ARControl = 4,
    IntegrateWithAR = 5,
    SingleMultiCurrency = 6,
    SourceCode = 7,
    HomeCurrency = 8,
    RateType = 9,
    BankAccount = 10,
    CurrentMonth = 11,
    CurrentYear = 12,
};

// Sub-keys of the account keys (0, 1, 3, 4, 10); any other sub-key gives the description.
enum SubKey { Code = 0, Dept = 1, Description = 2, MonthName = 3, Plain = 4 };

// The query a key and sub-key select; empty for a key outside 0 to 12.
QString lookupQuery(int key, int subKey);

// The setting's value; Null reads as an empty text; sub-key 3 turns the value into a
// month name. Throws Failure for a key outside 0 to 12, a settings table without a row,
// or a database error.
QVariant read(const Database& db, int key, int subKey);

// A Yes/No setting as stored (0/1), tolerant of text forms.
bool isTrue(const QVariant& value);

} // namespace Settings
