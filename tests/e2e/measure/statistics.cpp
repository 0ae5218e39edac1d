#include "statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace e2e::measure {

Spread spreadOf(const std::vector<double>& values) {
    Spread out;
    out.count = values.size();
    if (values.empty()) return out;
    out.mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    double squares = 0;
    for (double v : values) squares += (v - out.mean) * (v - out.mean);
    if (values.size() > 1) out.standardDeviation = std::sqrt(squares / static_cast<double>(values.size() - 1));
    out.worst = *std::max_element(values.begin(), values.end());
    return out;
}

Ranks ranksOf(std::vector<double> values) {
    Ranks out;
    out.count = values.size();
    if (values.empty()) return out;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    out.median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    const auto rank = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n)));
    out.percentile95 = values[std::max<std::size_t>(rank, 1) - 1];
    out.worst = values.back();
    return out;
}

}  // namespace e2e::measure
