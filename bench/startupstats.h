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

} // namespace startup
