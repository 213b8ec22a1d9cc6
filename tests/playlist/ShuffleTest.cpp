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

// A draw sequence that tests can replay.
std::vector<double> &draws()
{
    static std::vector<double> d;
    return d;
}
size_t &nextDraw()
{
    static size_t i = 0;
    return i;
}
double replay()
{
    return draws()[nextDraw()++ % draws().size()];
}

// The rule as written: pick entry floor(count * r) and erase it.
QStringList dealtByErasing(QStringList source, const std::vector<double> &rs)
{
    QStringList out;
    for (size_t i = 0; !source.isEmpty(); ++i) {
        const auto k = static_cast<qsizetype>(static_cast<double>(source.size()) * rs[i]);
        out.append(source.takeAt(k));
    }
    return out;
}

} // namespace

TEST(Shuffle, FixedDrawsKeepOrReverseTheOrder)
{
    QStringList source = numbered(7);
    EXPECT_EQ(shuffleDeal(source, [] { return 0.0; }), numbered(7));
    EXPECT_TRUE(source.isEmpty());

    source = numbered(50000);
    QStringList reversed = numbered(50000);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(shuffleDeal(source, [] { return 0.999999; }), reversed);

    QStringList empty;
    EXPECT_TRUE(shuffleDeal(empty, [] { return 0.5; }).isEmpty());
    QStringList one{"only"};
    EXPECT_EQ(shuffleDeal(one, [] { return 0.999999999999; }), QStringList{"only"});
}

TEST(Shuffle, FollowsTheDrawRuleExactly)
{
    std::mt19937 generator(12345);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int n : {1, 2, 3, 10, 1000, 4097}) {
        draws().clear();
        nextDraw() = 0;
        for (int i = 0; i < n; ++i) {
            draws().push_back(uniform(generator));
        }
        QStringList source = numbered(n);
        const QStringList dealt = shuffleDeal(source, replay);
        EXPECT_EQ(nextDraw(), static_cast<size_t>(n)) << "one draw per entry";
        EXPECT_EQ(dealt, dealtByErasing(numbered(n), draws())) << n;

        nextDraw() = 0;
        QStringList again = numbered(n);
        EXPECT_EQ(shuffleDeal(again, replay), dealt) << "the same draws give the same order";
    }
}
