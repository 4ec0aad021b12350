#include "Spread.h"

#include <algorithm>

#include "framework/PreciseTimer.h"

namespace {

// Linear interpolation between the two nearest ranks of a sorted series.
double Quantile(const std::vector<double>& sorted, double q) {
    const double position = q * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = position - static_cast<double>(below);
    return sorted[below] + (sorted[above] - sorted[below]) * fraction;
}

}  // namespace

Spread SpreadOf(std::vector<double> values) {
    Spread spread;
    if (values.empty())
        return spread;
    std::sort(values.begin(), values.end());
    spread.count = values.size();
    spread.min = values.front();
    spread.median = Quantile(values, 0.5);
    spread.p90 = Quantile(values, 0.9);
    spread.max = values.back();
    return spread;
}

std::vector<double> GapsOf(const std::vector<double>& times) {
    std::vector<double> gaps;
    for (std::size_t i = 1; i < times.size(); ++i)
        gaps.push_back(times[i] - times[i - 1]);
    return gaps;
}

Stopwatch::Stopwatch() : m_startUs(CPreciseTimer::Now()) {}

double Stopwatch::Ms() const {
    return static_cast<double>(CPreciseTimer::Now() - m_startUs) / 1000.0;
}
