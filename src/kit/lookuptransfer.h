#pragma once

#include <QString>

// Where the find dialog leaves the entry chosen from its list; findValue empties it first.
struct LookupTransfer {
    QString FindResult;
};
