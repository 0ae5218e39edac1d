#pragma once
// Prints what was measured: a small table per program for people, then one line per
// program for scripts ("KESTRO_MEASURE key=value ...", "na" where a figure is missing).

#include <vector>

#include "variant_result.h"

namespace e2e::measure {

void printTable(const VariantResult& result);
void printMachineLines(const std::vector<VariantResult>& results);

}  // namespace e2e::measure
