#pragma once

#include <cstdint>
#include <functional>

// The program's one pseudo-random generator, seeded once at start-up.
namespace RandomSource {

// A number r with 0 <= r < 1.
double Rnd();
void Randomize(std::uint64_t seed);

// Tests replace the draws; an empty function restores the generator.
void setDrawOverride(std::function<double()> draw);

} // namespace RandomSource
