#pragma once

#include <QString>

// What a master window opened as a chooser hands back to its caller.

// An account of the chart.
struct AccountChoice {
    QString code;
    QString dept;
    QString description;
};

// A customer or vendor: the seven fields of the record as shown.
struct PartyChoice {
    QString code;
    QString name;
    QString address[4];
    QString postalCode;
};

// A tax code, its rate as the table shows it ("7.00%") and the account the tax posts to.
struct TaxChoice {
    QString code;
    QString shownRate;
    QString account;
    QString dept;
};
