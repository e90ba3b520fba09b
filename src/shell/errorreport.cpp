#include "errorreport.h"

QString errorReportText(qint64 number, const QString& description, const QString& form,
                        const QString& routine) {
    const QString crlf = QStringLiteral("\r\n");
    QString text = QStringLiteral("An error has occurred.") + crlf + crlf +
                   QStringLiteral("Error Number: ") + QString::number(number) + crlf +
                   QStringLiteral("Error Description: ") + description + crlf;
    if (!form.isEmpty())
        text += QStringLiteral("Form: ") + form + crlf;
    text += QStringLiteral("Routine: ") + routine;
    return text;
}
