#pragma once

#include <QString>
#include <QStringList>
#include <array>

// Customers and vendors are one address book window over two tables. Everything that
// differs between the two lives in one of these descriptions.
struct PartyKind {
    // The seven fields of a record, in window order: number, name, four address lines,
    // postal code.
    static constexpr int FieldCount = 7;
    static constexpr int NumberField = 0;
    static constexpr int NameField = 1;

    QString windowName;                     // objectName of the window
    QString caption;                        // window title
    QString table;                          // the table the window keeps
    std::array<QString, FieldCount> fields; // column names, window order
    std::array<int, FieldCount> maxLengths; // longest text a field accepts when typed

    QString noun;          // navigator caption: "<noun>: 0" or "<noun>: 3 of 120"
    QString numberLabel;   // label of field 0, with its access key
    QString nameLabel;     // label of field 1, with its access key
    QString numberMessage; // Validated: the number is missing
    QString nameMessage;   // Validated: the name is missing
    QString tooltip;       // every field's tooltip

    QString findByNumberButton; // objectName of the "F" button beside the number
    QString findByNameButton;   // objectName of the "F" button beside the name
    QString findByNumberCaption;
    QString findByNumberQuery;
    QString findByNameCaption;
    QString findByNameQuery;
    QString notFoundLabel; // ends in a space: "<label><value> was not found."

    const QString& numberColumn() const { return fields[NumberField]; }
    const QString& nameColumn() const { return fields[NameField]; }
    // The seven column names joined by commas, for a select or insert list.
    QString columnList() const;

    static const PartyKind& customers();
    static const PartyKind& vendors();
};
