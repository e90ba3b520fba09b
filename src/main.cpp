#include "data/clock.h"
#include "data/database.h"
#include "data/programfiles.h"
#include "kit/activationkeeper.h"
#include "kit/services.h"
#include "reports/reportfont.h"
#include "shell/filesizesignal.h"
#include "shell/qtservices.h"
#include "shell/startup.h"
#include "shell/switchboardwindow.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char* argv[]) {
    ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillan"));
    const QString appDir = QCoreApplication::applicationDirPath();
    ActivationKeeper activationKeeper;
    app.installEventFilter(&activationKeeper);
    // Reports are laid out in the font the program carries, whatever the machine has.
    if (!ReportFont::registerFont())
        qWarning("The report font could not be registered.");

    Database db;
    QtPrompts prompts;
    QtFileDialogs fileDialogs;
    QtLauncher launcher(ProgramFiles::helpFolder(appDir));
    QtBusyPointer busy;
    Clock clock;
    Services services{db, prompts, fileDialogs, launcher, busy, clock, appDir, {}};
    // Quitting ends the program at once; every change is already in the book.
    services.endProgram = [&services] {
        services.db.close();
        services.bookLock.release();
        std::exit(0);
    };

    auto switchboard = Main(services);
    if (!switchboard)
        return 1;
    return app.exec();
}
