#pragma once

#include <functional>
#include <vector>

// The times of one step over a benchmark's runs, in milliseconds, and the line that
// reports them against the step's target.
class Figures {
public:
    void add(double ms) { m_samples.push_back(ms); }
    double median();
    double worst() const;

    // Prints "what  median  worst  target  ok/TOO SLOW", `what` padded to `width`; a limit of
    // 0 prints the figures without a target. Returns whether the median met the target.
    bool report(const char* what, double limit, int width);

private:
    std::vector<double> m_samples;
};

// How long `work` takes, in milliseconds.
double timed(const std::function<void()>& work);

// The process's peak resident memory so far, in MB.
double peakResidentMb();
