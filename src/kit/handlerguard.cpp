#include "handlerguard.h"

#include "data/messages.h"
#include "kit/services.h"

#include <QObject>

QString routineLabel(const QObject* control, const char* event) {
    return control->objectName() + QLatin1Char(' ') + QLatin1String(event);
}

void showErrorReport(Services& services, qint64 number, const QString& description,
                     const QString& form, const QString& routine) {
    // An hourglass over an error box would tell the user the program is still working.
    services.busy.reset();
    services.prompts.critical(Messages::errorReport(number, description, form, routine));
}

bool guarded(Services& services, const QString& form, const QString& routine,
             const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const Failure& failure) {
        showErrorReport(services, failure.number(), failure.description(), form, routine);
    } catch (const std::exception& error) {
        showErrorReport(services, -1, QString::fromLocal8Bit(error.what()), form, routine);
    }
    return false;
}
