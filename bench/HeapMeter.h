#pragma once

#include <cstddef>

// The heap an operation uses at its busiest: every allocation of the process goes through the
// meter (malloc, free and their kin are replaced in the benchmark program), which counts only
// between start() and peak(), so that the other benchmarks run as before.
namespace HeapMeter {

// Counts from zero: blocks allocated from now on add, blocks freed take away.
void start();
// The most bytes in use at once since start(); counting stops.
std::size_t peak();

} // namespace HeapMeter
