#pragma once
// Summaries of a sample of durations in milliseconds.

#include <cstddef>
#include <vector>

namespace e2e::measure {

struct Spread {
    std::size_t count = 0;
    double mean = 0;
    double standardDeviation = 0;  // of the sample (n - 1)
    double worst = 0;              // the largest value
};

struct Ranks {
    std::size_t count = 0;
    double median = 0;
    double percentile95 = 0;  // nearest rank
    double worst = 0;
};

Spread spreadOf(const std::vector<double>& values);
Ranks ranksOf(std::vector<double> values);

}  // namespace e2e::measure
