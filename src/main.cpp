#include "data/clock.h"
#include "data/database.h"
#include "data/programfiles.h"
#include "kit/activationkeeper.h"
#include "kit/services.h"
#include "reports/reportfont.h"
#include "shell/booksession.h"
#include "shell/commandline.h"
#include "shell/filesizesignal.h"
#include "shell/qtservices.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    ignoreFileSizeSignal();
    QApplication::setApplicationName(QStringLiteral("Quillan"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLAN_VERSION));
    // Read before the application connects to a display, so --help and --version work
    // without one.
    CommandLine line;
    {
        QCoreApplication reader(argc, argv);
        line = CommandLine::parse(QCoreApplication::arguments());
    }
    if (line.action == CommandLine::Action::Print || line.action == CommandLine::Action::Refuse) {
        const bool refused = line.action == CommandLine::Action::Refuse;
        std::fputs(line.text.toLocal8Bit().constData(), refused ? stderr : stdout);
        return refused ? 2 : 0;
    }

    QApplication app(argc, argv);
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

    QSettings settings(QStringLiteral("Quillan"), QStringLiteral("Quillan"));
    BookSession session(
        services, settings,
        {appDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), {}});
    if (!session.start(line))
        return 1;
    return app.exec();
}
