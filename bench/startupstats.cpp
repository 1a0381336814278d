#include "startupstats.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>

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

Ratio pairedRatio(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ratios.push_back(a[i] / b[i]);
    }
    std::vector<double> sorted = ratios;
    Ratio ratio;
    ratio.median = median(sorted);

    constexpr int kResamples = 2000;
    std::mt19937 random(20261208); // fixed, so that one set of runs always reports the same
    std::uniform_int_distribution<std::size_t> pick(0, ratios.size() - 1);
    std::vector<double> medians;
    std::vector<double> resample(ratios.size());
    for (int r = 0; r < kResamples; ++r) {
        for (double& value : resample) {
            value = ratios[pick(random)];
        }
        medians.push_back(median(resample));
    }
    std::sort(medians.begin(), medians.end());
    ratio.low = medians[kResamples * 25 / 1000];
    ratio.high = medians[kResamples * 975 / 1000 - 1];
    return ratio;
}

} // namespace startup
