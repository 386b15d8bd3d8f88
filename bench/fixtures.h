// What the benchmarks share: the real pictures of Media/ and seeded herds of any size on them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// Path of picture `number` under the project root, whatever the working folder.
std::string picturePath(int number);

// Loads the tables and all twenty pictures once per process. False when any picture failed;
// the benchmark should then skip with `mediaError()`.
bool loadMedia();
const std::string& mediaError();

// Replaces the Herd by `count` animals spread over the 16 Areas at positions whose areas-picture
// value is that Area, with mixed ages, sexes, genes and health. The same `seed` gives the same
// herd; the model's own generator is not touched.
void buildHerd(int count, std::uint32_t seed);

// The fastest of the repetitions (--benchmark_repetitions=N): on a shared machine other work
// only ever adds time, so the minimum is the steadiest figure.
double fastest(const std::vector<double>& times);

} // namespace bench
