#include "startup.h"

#include "shell/handlerguard.h"
#include "shell/services.h"
#include "shell/switchboardwindow.h"

#include <QDir>
#include <QFileInfo>

QString missingBookMessage(const QString& appDir) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("The Cashbook.mdb file is not in the ") + crlf +
           QStringLiteral("application directory of ") + QDir::toNativeSeparators(appDir) +
           QStringLiteral(".") + crlf + crlf + QStringLiteral("In order to continue, you must copy it") +
           crlf + QStringLiteral("into the directory.");
}

std::unique_ptr<SwitchboardWindow> Main(Services& services) {
    const QString path = services.bookPath();
    if (!QFileInfo::exists(path)) {
        services.prompts.critical(missingBookMessage(services.appDir));
        return nullptr;
    }
    std::unique_ptr<SwitchboardWindow> window;
    const bool opened = guarded(services, QString(), QStringLiteral("Main"), [&] {
        services.db.open(path);
        BusyScope busy(services.busy);
        window = std::make_unique<SwitchboardWindow>(services);
        window->showMaximized();
    });
    if (!opened) {
        window.reset();
        services.db.close();
    }
    return window;
}
