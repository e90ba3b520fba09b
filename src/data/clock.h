#pragma once

#include <QDate>

// Today's date. Tests replace it so that date rules are repeatable.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const { return QDate::currentDate(); }
};
