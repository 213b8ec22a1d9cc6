#include "core/RandomSource.h"

#include <random>

namespace RandomSource {
namespace {

std::mt19937_64 &generator()
{
    static std::mt19937_64 g;
    return g;
}

std::function<double()> &drawOverride()
{
    static std::function<double()> draw;
    return draw;
}

} // namespace

double Rnd()
{
    if (drawOverride()) {
        return drawOverride()();
    }
    return std::generate_canonical<double, 53>(generator());
}

void Randomize(std::uint64_t seed)
{
    generator().seed(seed);
}

void setDrawOverride(std::function<double()> draw)
{
    drawOverride() = std::move(draw);
}

} // namespace RandomSource
