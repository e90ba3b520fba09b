// Start-up benchmark: from process start to the main window shown, on a large book.
//
//   bench_startup DIR [RUNS]
//
// DIR holds cashbook.mdb (make one with quillan_genbook). The real program is copied into
// a temporary application directory beside a link to that book and started RUNS times
// (default 5) headless; a probe plugin that Qt loads into it reports when the first
// window has been exposed and painted, and the peak resident memory at that moment.
// Then Main() is timed inside one fresh process of this benchmark, up to the window
// being exposed. Target: under 0.5 s and 100 MB with a million transactions.
#include "figures.h"

#include "data/clock.h"
#include "data/database.h"
#include "kit/busypointer.h"
#include "kit/filedialogs.h"
#include "kit/launcher.h"
#include "kit/prompts.h"
#include "kit/services.h"
#include "shell/startup.h"
#include "shell/switchboardwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The benchmark answers no box; any box means the start failed, so it is printed.
class ConsolePrompts : public Prompts {
public:
    Answer show(const QString& text, Icon, Buttons buttons, Answer) override {
        std::fprintf(
            stderr, "Message box: %s\n",
            qPrintable(QString(text).replace(QLatin1String("\r\n"), QLatin1String(" / "))));
        ++shown;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    int shown = 0;
};

class NoFileDialogs : public FileDialogs {
public:
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return std::nullopt; }
};

class NoLauncher : public Launcher {
public:
    QString findExecutable(const QString&) override { return {}; }
    bool startDetached(const QString&, const QStringList&) override { return false; }
    void showHelp(const QString&) override {}
};

// Main() in this process, on the application directory given; prints one result line.
int runInProcess(int argc, char* argv[], const QString& appDir) {
    const long long start = monotonicNs();
    QApplication app(argc, argv);
    const long long appReady = monotonicNs();

    Database db;
    ConsolePrompts prompts;
    NoFileDialogs fileDialogs;
    NoLauncher launcher;
    BusyPointer busy;
    Clock clock;
    Services services{db, prompts, fileDialogs, launcher, busy, clock, appDir, [] {}};
    services.book = appDir + QStringLiteral("/cashbook.mdb");

    const long long before = monotonicNs();
    auto window = Main(services);
    const long long mainDone = monotonicNs();
    if (!window || prompts.shown > 0 || !QTest::qWaitForWindowExposed(window.get(), 10000)) {
        std::printf("failed\n");
        return 1;
    }
    const long long exposed = monotonicNs();
    std::printf("inprocess %.1f %.1f %.1f %.1f\n", (appReady - start) / 1e6,
                (mainDone - before) / 1e6, (exposed - before) / 1e6, peakResidentMb());
    return 0;
}

struct Run {
    double toLoaded = 0;  // Qt up and the probe loaded
    double toExposed = 0; // main window exposed and painted
    double residentMb = 0;
    QString title;
};

std::optional<Run> runProgram(const QString& program) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("quillanstartupprobe"));
    process.setProcessEnvironment(env);
    const long long start = monotonicNs();
    process.start(program, {});
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        std::fprintf(stderr, "The program did not show a window within 30 s.\n%s",
                     process.readAllStandardError().constData());
        return std::nullopt;
    }
    Run run;
    bool exposed = false;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.value(0) == "loaded" && parts.size() >= 2)
            run.toLoaded = (parts[1].toLongLong() - start) / 1e6;
        if (parts.value(0) == "exposed" && parts.size() >= 3) {
            run.toExposed = (parts[1].toLongLong() - start) / 1e6;
            run.residentMb = parts[2].toLongLong() / 1024.0;
            run.title = QString::fromUtf8(line.mid(line.indexOf(parts[2]) + parts[2].size() + 1));
            exposed = true;
        }
    }
    if (!exposed) {
        std::fprintf(stderr, "The program ended without showing a window (exit code %d).\n%s",
                     process.exitCode(), process.readAllStandardError().constData());
        return std::nullopt;
    }
    return run;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && QByteArray(argv[1]) == "--in-process") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return runInProcess(argc, argv, QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool runsOk = true;
    const int runs = args.size() >= 2 ? args.at(1).toInt(&runsOk) : 5;
    if (args.isEmpty() || args.size() > 2 || !runsOk || runs < 1) {
        std::fprintf(stderr, "usage: bench_startup DIR [RUNS]\n"
                             "DIR holds the book cashbook.mdb, e.g. made by quillan_genbook.\n");
        return 2;
    }
    const QString book = QDir(args.first()).absoluteFilePath(QStringLiteral("cashbook.mdb"));
    if (!QFile::exists(book)) {
        std::fprintf(stderr, "No book at %s; make one with quillan_genbook %s\n", qPrintable(book),
                     qPrintable(book));
        return 1;
    }

    qint64 transactions = -1;
    {
        Database db(QStringLiteral("bench-count"));
        try {
            db.open(book);
            transactions =
                db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toLongLong();
        } catch (const Failure& failure) {
            std::fprintf(stderr, "The book cannot be used: %s\n",
                         qPrintable(failure.description()));
            return 1;
        }
    }

    // A private application directory: the program, a link to the book, and the probe
    // where Qt looks for plugins beside an executable.
    QTemporaryDir appDir;
    const QString program = appDir.filePath(QStringLiteral("quillan"));
    const QString binDir = QCoreApplication::applicationDirPath();
    if (!QFile::copy(binDir + QStringLiteral("/quillan"), program) ||
        !QFile::link(book, appDir.filePath(QStringLiteral("cashbook.mdb"))) ||
        !QDir(appDir.path()).mkdir(QStringLiteral("generic")) ||
        !QFile::copy(QStringLiteral(QUILLAN_STARTUP_PROBE),
                     appDir.filePath(QStringLiteral("generic/libquillanstartupprobe.so")))) {
        std::fprintf(stderr, "Cannot prepare the application directory %s\n",
                     qPrintable(appDir.path()));
        return 1;
    }

    std::printf("Book:         %s (%lld transactions, %.1f MB)\n", qPrintable(book),
                static_cast<long long>(transactions), QFileInfo(book).size() / 1048576.0);
    std::printf("Program start to main window shown (headless, %d runs):\n", runs);
    QList<double> times;
    QList<double> loaded;
    double peak = 0;
    for (int i = 1; i <= runs; ++i) {
        const std::optional<Run> run = runProgram(program);
        if (!run)
            return 1;
        if (!run->title.endsWith(QLatin1String(" - Quillan - Main Menu"))) {
            std::fprintf(stderr, "The first window shown was \"%s\", not the main window.\n",
                         qPrintable(run->title));
            return 1;
        }
        std::printf("  run %d: %7.1f ms (Qt ready at %.1f ms), peak resident %.1f MB\n", i,
                    run->toExposed, run->toLoaded, run->residentMb);
        times << run->toExposed;
        loaded << run->toLoaded;
        peak = std::max(peak, run->residentMb);
    }

    QProcess inProcess;
    inProcess.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--in-process"), appDir.path()});
    inProcess.waitForFinished(30000);
    const QList<QByteArray> parts = inProcess.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 5 || parts[0] != "inprocess") {
        std::fprintf(stderr, "The in-process start failed.\n%s",
                     inProcess.readAllStandardError().constData());
        return 1;
    }

    const double median_ms = median(times);
    std::printf(
        "Whole process: median %.1f ms, best %.1f ms, worst %.1f ms; Qt ready (median) %.1f ms\n",
        median_ms, *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()), median(loaded));
    std::printf("Peak resident memory at the window: %.1f MB\n", peak);
    std::printf("In process: QApplication %s ms; Main() %s ms; Main() to window exposed %s ms; "
                "peak resident %s MB\n",
                parts[1].constData(), parts[2].constData(), parts[3].constData(),
                parts[4].constData());
    const bool met = median_ms < 500 && peak < 100;
    std::printf("Target (< 500 ms, < 100 MB): %s\n", withinTarget(met) ? "met" : "NOT met");
    return benchStatus();
}
