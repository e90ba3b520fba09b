#include "figures.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

bool g_wrong = false;
bool g_slow = false;

} // namespace

bool check(bool condition, const char* what) {
    if (!condition) {
        std::printf("  WRONG: %s\n", what);
        std::fflush(stdout);
        g_wrong = true;
    }
    return condition;
}

bool Figures::check(bool condition, const char* what) {
    m_wrong = m_wrong || !condition;
    return ::check(condition, what);
}

double Figures::median() {
    std::sort(m_samples.begin(), m_samples.end(),
              [](const Sample& a, const Sample& b) { return a.ms < b.ms; });
    return m_samples[m_samples.size() / 2].ms;
}

double Figures::medianCpu() const {
    std::vector<double> cpu;
    for (const Sample& sample : m_samples)
        cpu.push_back(sample.cpuMs);
    std::sort(cpu.begin(), cpu.end());
    return cpu[cpu.size() / 2];
}

double Figures::worst() const {
    double worst = 0;
    for (const Sample& sample : m_samples)
        worst = std::max(worst, sample.ms);
    return worst;
}

bool Figures::report(const char* what, double limit, int width, bool worstCounts) {
    if (m_wrong || m_samples.empty()) {
        std::printf("  %-*s WRONG: the step failed, its times do not count\n", width, what);
        std::fflush(stdout);
        g_wrong = true;
        return false;
    }
    const double middle = median();
    if (limit <= 0) {
        std::printf("  %-*s median %8.2f ms   worst %8.2f ms   (cpu %7.2f ms)\n", width, what,
                    middle, worst(), medianCpu());
        std::fflush(stdout);
        return true;
    }
    const bool ok = withinTarget((worstCounts ? worst() : middle) < limit);
    std::printf(
        "  %-*s median %8.2f ms   worst %8.2f ms   (cpu %7.2f ms)   target < %.0f ms%s  %s\n",
        width, what, middle, worst(), medianCpu(), limit, worstCounts ? " worst" : "",
        ok ? "ok" : "TOO SLOW");
    std::fflush(stdout);
    return ok;
}

bool withinTarget(bool met) {
    g_slow = g_slow || !met;
    return met;
}

int benchStatus() {
    if (g_wrong) {
        std::printf("SOME CHECKS FAILED: the steps marked WRONG measured a failing path\n");
        return 1;
    }
    if (g_slow) {
        std::printf("Every check passed; some targets were missed\n");
        return 3;
    }
    return 0;
}

namespace {

double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

Sample timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    const double cpu = processCpuMs();
    timer.start();
    work();
    return {double(timer.nsecsElapsed()) / 1e6, processCpuMs() - cpu};
}

double peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void printLoad(const char* when) {
    QFile file(QStringLiteral("/proc/loadavg"));
    const QByteArray load =
        file.open(QIODevice::ReadOnly) ? file.readLine(64).trimmed() : "unknown";
    std::printf("Load average %s (1, 5, 15 min, runnable/all, last pid): %s\n", when,
                load.constData());
    std::fflush(stdout);
}
