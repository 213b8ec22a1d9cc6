#include "playlist/Shuffle.h"

#include <gtest/gtest.h>

#include <random>

namespace {

QStringList numbered(int n)
{
    QStringList list;
    for (int i = 0; i < n; ++i) {
        list.append(QString::number(i));
    }
    return list;
}

std::vector<double> draws;
size_t nextDraw = 0;
double replay()
{
    return draws[nextDraw++];
}

// The rule as written: pick entry floor(count * r) of those left and erase it.
QStringList dealtByErasing(QStringList source)
{
    QStringList out;
    for (size_t i = 0; !source.isEmpty(); ++i) {
        out.append(source.takeAt(static_cast<qsizetype>(static_cast<double>(source.size()) * draws[i])));
    }
    return out;
}

QStringList deal(const QStringList &list, Draw draw)
{
    PathStore source = PathStore::fromStringList(list);
    const QStringList dealt = shuffleDeal(source, draw).toStringList();
    EXPECT_TRUE(source.isEmpty());
    return dealt;
}

} // namespace

TEST(Shuffle, FixedDrawsKeepOrReverseTheOrder)
{
    EXPECT_EQ(deal(numbered(50000), [] { return 0.0; }), numbered(50000));
    QStringList reversed = numbered(50000);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(deal(numbered(50000), [] { return 0.999999; }), reversed);
    EXPECT_EQ(deal({"only"}, [] { return 0.99999999999999; }), QStringList{"only"});
}

TEST(Shuffle, OneDrawPerEntryAndTheSameDrawsGiveTheSameOrder)
{
    std::mt19937 generator(12345);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int n : {0, 1, 2, 3, 1000, 4097}) {
        draws.clear();
        for (int i = 0; i < n; ++i) {
            draws.push_back(uniform(generator));
        }
        nextDraw = 0;
        EXPECT_EQ(deal(numbered(n), replay), dealtByErasing(numbered(n))) << n;
        EXPECT_EQ(nextDraw, draws.size());
    }
}
