#pragma once

#include <vector>

namespace startup {

struct Sample {
    double ms;
    double peakMiB;
    double cpuMs = 0; // user and system time of all its threads, to its end
};

struct Summary {
    double medianMs = 0;
    double minMs = 0;
    double p90Ms = 0; // nearest rank: at least 90% of the runs took no longer
    double medianMiB = 0;
    double maxMiB = 0;
    double medianCpuMs = 0;
};

// Requires at least one sample.
Summary summarize(std::vector<Sample> samples);

struct Ratio {
    double median = 0;
    double low = 0; // the 95% bootstrap interval of the median
    double high = 0;
};

// The median of a[i] / b[i] over runs made side by side, so that a load that comes and goes on
// the machine slows both alike. Requires a.size() == b.size() > 0 and every b[i] > 0.
Ratio pairedRatio(const std::vector<double>& a, const std::vector<double>& b);

} // namespace startup
