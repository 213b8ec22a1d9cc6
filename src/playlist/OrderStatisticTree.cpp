#include "playlist/OrderStatisticTree.h"

#include <bit>

namespace {

constexpr qsizetype WordBits = 64;

qsizetype lowestBit(qsizetype i)
{
    return i & -i;
}

// The place of the k-th (from 0) set bit of a word that has more than k.
int selectBit(quint64 word, int k)
{
    int place = 0;
    for (int width = 32; width > 0; width /= 2) {
        const quint64 low = word & ((quint64(1) << width) - 1);
        const int count = std::popcount(low);
        if (k >= count) {
            k -= count;
            word >>= width;
            place += width;
        } else {
            word = low;
        }
    }
    return place;
}

} // namespace

OrderStatisticTree::OrderStatisticTree(qsizetype n)
    : in_(static_cast<size_t>((n + WordBits - 1) / WordBits), ~quint64(0)), tree_(in_.size() + 1),
      remaining_(n)
{
    if (n % WordBits != 0) {
        in_.back() = (quint64(1) << (n % WordBits)) - 1;
    }
    const auto words = static_cast<qsizetype>(in_.size());
    for (qsizetype i = 1; i <= words; ++i) {
        tree_[i] += std::popcount(in_[static_cast<size_t>(i - 1)]);
        if (i + lowestBit(i) <= words) {
            tree_[i + lowestBit(i)] += tree_[i];
        }
    }
    topStep_ = 1;
    while (topStep_ * 2 <= words) {
        topStep_ *= 2;
    }
}

qsizetype OrderStatisticTree::kth(qsizetype k) const
{
    const auto words = static_cast<qsizetype>(in_.size());
    qsizetype word = 0;
    qsizetype rest = k;
    // The longest run of words holding at most k remaining entries ends just
    // before the word that holds the one sought.
    for (qsizetype step = topStep_; step > 0; step /= 2) {
        const qsizetype next = word + step;
        if (next <= words && tree_[next] <= rest) {
            word = next;
            rest -= tree_[next];
        }
    }
    return word * WordBits + selectBit(in_[static_cast<size_t>(word)], static_cast<int>(rest));
}

void OrderStatisticTree::remove(qsizetype position)
{
    in_[static_cast<size_t>(position / WordBits)] &= ~(quint64(1) << (position % WordBits));
    const auto words = static_cast<qsizetype>(in_.size());
    for (qsizetype i = position / WordBits + 1; i <= words; i += lowestBit(i)) {
        --tree_[i];
    }
    --remaining_;
}
