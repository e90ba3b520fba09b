#pragma once

#include "data/failure.h"

#include <QString>
#include <exception>
#include <functional>

class QObject;
struct Services;

// A handler's routine label: the control's object name and the event ("txtGSTAmount LostFocus").
QString routineLabel(const QObject* control, const char* event);

// Shows the error report for a failure of a handler (or of a procedure when form is empty).
void showErrorReport(Services& services, qint64 number, const QString& description,
                     const QString& form, const QString& routine);

// Runs a handler body; a Failure or any other exception ends the handler with the error
// report labelled with the window and routine. Returns false when the body failed.
bool guarded(Services& services, const QString& form, const QString& routine,
             const std::function<void()>& body);
