#include "startupstats.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace startup {

namespace {

// The middle value, or the mean of the two middle values; sorts its argument.
double median(std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
}

} // namespace

Summary summarize(std::vector<Sample> samples) {
    std::vector<double> times;
    std::vector<double> peaks;
    std::vector<double> cpu;
    for (const Sample& sample : samples) {
        times.push_back(sample.ms);
        peaks.push_back(sample.peakMiB);
        cpu.push_back(sample.cpuMs);
    }
    Summary summary;
    summary.medianMs = median(times);
    summary.minMs = times.front();
    const auto rank = static_cast<std::size_t>(std::ceil(0.9 * double(times.size())));
    summary.p90Ms = times[rank - 1];
    summary.medianMiB = median(peaks);
    summary.maxMiB = peaks.back();
    summary.medianCpuMs = median(cpu);
    return summary;
}

} // namespace startup
