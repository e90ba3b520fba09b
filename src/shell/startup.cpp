#include "startup.h"

#include "data/bookaccess.h"
#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "shell/backgroundbookcheck.h"
#include "shell/bookchoice.h"
#include "shell/switchboardwindow.h"

#include <QFileInfo>

std::unique_ptr<SwitchboardWindow> Main(Services& services, bool inPlaceOfAnother) {
    const QString path = services.bookPath();
    if (!QFileInfo::exists(path)) {
        services.prompts.critical(Messages::missingBook(path));
        return nullptr;
    }
    // A book another Quillan program has open to change is only looked at here, if at all.
    const bool heldElsewhere = services.bookLock.take(path) == BookLock::Outcome::HeldElsewhere;
    if (heldElsewhere) {
        const BookLock::Holder& holder = services.bookLock.holder();
        if (!services.prompts.ask(Messages::bookInUseQuestion(BookAccess::realPath(path),
                                                              holder.host, holder.processId,
                                                              inPlaceOfAnother),
                                  Prompts::Answer::Yes))
            return nullptr;
    }
    services.db.setOnlyReading(heldElsewhere);
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
        if (services.db.isReadOnly() && !BookAccess::mayChange(path))
            services.prompts.information(Messages::bookOpenedReadOnly(path));
        if (upgrade.ran())
            services.prompts.information(Messages::bookUpgraded(upgrade.copyPath));
        for (const QString& notice : upgrade.notices)
            services.prompts.information(notice);
        BusyScope busy(services.busy);
        window = std::make_unique<SwitchboardWindow>(services);
        window->setWindowTitle(
            Messages::mainWindowTitle(shownBookPath(path), services.db.isReadOnly()));
        window->showMaximized();
        new BackgroundBookCheck(services, window.get());
    });
    if (!opened || refused) {
        window.reset();
        services.db.close();
        services.bookLock.release();
    }
    return window;
}
