#pragma once

#include <functional>
#include <vector>

// One timing of a step: the time it took, and the processor time this process used in it
// (which another load on the machine stretches much less).
struct Sample {
    double ms = 0;
    double cpuMs = 0;
};

// The times of one step over a benchmark's runs, in milliseconds, with the checks of what
// the step did, and the line that reports them against the step's target. A time is a
// figure only when the step did what it was timed for: a step with a failed check reports
// WRONG instead of its times.
class Figures {
public:
    void add(Sample sample) { m_samples.push_back(sample); }
    // A check of what the timed step did; a failed one prints "WRONG: what" and makes the
    // step's times invalid. Returns the condition.
    bool check(bool condition, const char* what);
    double median();
    double medianCpu() const;
    double worst() const;

    // Prints "what  median  worst  (cpu median)  target  ok/TOO SLOW", `what` padded to `width`; a
    // limit of 0 prints the figures without a target. Returns whether the step went right and its
    // median (its worst, for a step every instance of which must be quick) met the target.
    bool report(const char* what, double limit, int width, bool worstCounts = false);

private:
    std::vector<Sample> m_samples;
    bool m_wrong = false;
};

// A check outside the timed steps (the book, the set-up); like Figures::check.
bool check(bool condition, const char* what);

// Notes a figure checked against its target outside Figures::report; returns `met`.
bool withinTarget(bool met);

// The benchmark's exit status, with a closing line when it is not 0: 1 when any check
// failed (the figures do not count), 3 when every check passed but a target was missed.
int benchStatus();

// How long `work` takes, in milliseconds.
Sample timed(const std::function<void()>& work);

// Prints the machine's load averages (the figures depend on it), saying when.
void printLoad(const char* when);

// The process's peak resident memory so far, in MB.
double peakResidentMb();
