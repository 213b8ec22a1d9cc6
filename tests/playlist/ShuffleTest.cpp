#include "playlist/Shuffle.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<double> draws;
size_t nextDraw = 0;

QStringList deal(const QStringList &list, Draw draw)
{
    PathStore source = PathStore::fromStringList(list);
    const QStringList dealt = shuffleDeal(source, draw).toStringList();
    EXPECT_TRUE(source.isEmpty());
    return dealt;
}

} // namespace

TEST(Shuffle, EachDrawPicksAmongThoseLeftAndTheSameDrawsGiveTheSameOrder)
{
    EXPECT_EQ(deal(numberedNames("%1", 50000), [] { return 0.0; }), numberedNames("%1", 50000));
    QStringList reversed = deal(numberedNames("%1", 50000), [] { return 0.999999; });
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(reversed, numberedNames("%1", 50000));
    EXPECT_EQ(deal({"only"}, [] { return 0.99999999999999; }), QStringList{"only"});

    // One draw per entry; the rule as written: take entry floor(count * r) of those left.
    std::mt19937 generator(12345);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int n : {0, 1, 2, 3, 1000, 4097}) {
        draws.resize(n);
        std::generate(draws.begin(), draws.end(), [&] { return uniform(generator); });
        QStringList left = numberedNames("%1", n);
        QStringList expected;
        for (const double r : draws) {
            expected.append(left.takeAt(static_cast<qsizetype>(static_cast<double>(left.size()) * r)));
        }
        nextDraw = 0;
        EXPECT_EQ(deal(numberedNames("%1", n), [] { return draws[nextDraw++]; }), expected) << n;
        EXPECT_EQ(nextDraw, draws.size());
    }
}
