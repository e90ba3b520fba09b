#include "figures.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

double Figures::median() {
    std::sort(m_samples.begin(), m_samples.end());
    return m_samples[m_samples.size() / 2];
}

double Figures::worst() const {
    return *std::max_element(m_samples.begin(), m_samples.end());
}

bool Figures::report(const char* what, double limit, int width) {
    const double middle = median();
    if (limit <= 0) {
        std::printf("  %-*s median %8.2f ms   worst %8.2f ms\n", width, what, middle, worst());
        std::fflush(stdout);
        return true;
    }
    const bool ok = middle < limit;
    std::printf("  %-*s median %8.2f ms   worst %8.2f ms   target < %.0f ms  %s\n", width, what,
                middle, worst(), limit, ok ? "ok" : "TOO SLOW");
    std::fflush(stdout);
    return ok;
}

double timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}
