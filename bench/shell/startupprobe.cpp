#include "startupprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>

namespace {
long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}
} // namespace

StartupProbe::StartupProbe() {
    std::printf("loaded %lld\n", monotonicNs());
    std::fflush(stdout);
    QCoreApplication::instance()->installEventFilter(this);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
    if (!m_seen && event->type() == QEvent::Expose) {
        auto* window = qobject_cast<QWindow*>(watched);
        if (window && window->isVisible()) {
            m_seen = true;
            const QString title = window->title();
            // Report once the expose (and with it the first paint) has been handled.
            QTimer::singleShot(0, this, [this, title] { report(title); });
        }
    }
    return false;
}

void StartupProbe::report(const QString& title) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("exposed %lld %ld %s\n", monotonicNs(), usage.ru_maxrss, qPrintable(title));
    std::fflush(stdout);
    std::_Exit(0);
}
