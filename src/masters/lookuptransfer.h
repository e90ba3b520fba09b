#pragma once

#include <QString>

// The program-wide strings through which a chooser window hands its choice back:
// a caller empties what it will read, opens the chooser modally, then reads them.
struct LookupTransfer {
    QString LookupValue1;
    QString LookupValue2;
    QString LookupValue3;
    QString LookupValue4;
    QString LookupValue5;
    QString LookupValue6;
    QString LookupValue7;
    QString FindResult;

    // LookupValue1 .. LookupValue7 by number.
    QString& value(int n) {
        switch (n) {
        case 1: return LookupValue1;
        case 2: return LookupValue2;
        case 3: return LookupValue3;
        case 4: return LookupValue4;
        case 5: return LookupValue5;
        case 6: return LookupValue6;
        default: return LookupValue7;
        }
    }
    // Empties LookupValue<from> .. LookupValue<to>.
    void clear(int from, int to) {
        for (int n = from; n <= to; ++n)
            value(n).clear();
    }
};
