#include "startup.h"

#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "shell/backgroundbookcheck.h"
#include "shell/switchboardwindow.h"

#include <QFileInfo>

std::unique_ptr<SwitchboardWindow> Main(Services& services) {
    const QString path = services.bookPath();
    if (!QFileInfo::exists(path)) {
        services.prompts.critical(Messages::missingBook(services.appDir));
        return nullptr;
    }
    std::unique_ptr<SwitchboardWindow> window;
    bool refused = false;
    const bool opened = guarded(services, QString(), QStringLiteral("Main"), [&] {
        BookFormat::Upgrade upgrade;
        try {
            upgrade = services.db.open(path);
        } catch (const Failure& failure) {
            if (failure.kind() != Failure::Kind::BookRefused)
                throw;
            refused = true;
            services.prompts.critical(failure.description());
            return;
        }
        if (services.db.isReadOnly())
            services.prompts.information(Messages::bookOpenedReadOnly(path));
        if (upgrade.ran())
            services.prompts.information(Messages::bookUpgraded(upgrade.copyPath));
        for (const QString& notice : upgrade.notices)
            services.prompts.information(notice);
        BusyScope busy(services.busy);
        window = std::make_unique<SwitchboardWindow>(services);
        window->showMaximized();
        new BackgroundBookCheck(services, window.get());
    });
    if (!opened || refused) {
        window.reset();
        services.db.close();
    }
    return window;
}
