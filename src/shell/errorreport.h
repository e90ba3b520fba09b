#pragma once

#include <QString>

// The text of the one error box for unexpected failures. The "Form: " line appears
// only when the failing handler belongs to a window.
QString errorReportText(qint64 number, const QString& description, const QString& form,
                        const QString& routine);
