// Order statistics for the benchmark's tables: timer jitter and tick costs are skewed, so the
// tables show median, 90th percentile and extremes rather than a mean.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Spread {
    std::size_t count = 0;
    double min = 0;
    double median = 0;
    double p90 = 0;
    double max = 0;
};

Spread SpreadOf(std::vector<double> values);

// Milliseconds on the performance counter since the watch was made.
class Stopwatch {
public:
    Stopwatch();
    double Ms() const;

private:
    std::int64_t m_startUs;  // on CPreciseTimer::Now()'s clock
};

// Differences between neighbours of an ordered series of times.
std::vector<double> GapsOf(const std::vector<double>& times);
