#include "playlist/OrderStatisticTree.h"

#include <bit>

namespace {

constexpr qsizetype WordBits = 64;

qsizetype lowestBit(qsizetype i)
{
    return i & -i;
}

// The place of the k-th (from 0) set bit of a word that has more than k. The
// counts of its bytes are summed all at once, as a processor without a
// population count instruction does best.
int selectBit(quint64 word, int k)
{
    constexpr quint64 Ones = 0x0101010101010101;
    quint64 counts = word - ((word >> 1) & 0x5555555555555555);
    counts = (counts & 0x3333333333333333) + ((counts >> 2) & 0x3333333333333333);
    counts = (counts + (counts >> 4)) & 0x0F0F0F0F0F0F0F0F;
    const quint64 upTo = counts * Ones; // byte i: the set bits of bytes 0 .. i
    int byte = 0;
    while (byte < 7 && int((upTo >> (8 * byte)) & 0xFF) <= k) {
        ++byte;
    }
    k -= byte > 0 ? int((upTo >> (8 * (byte - 1))) & 0xFF) : 0;
    quint64 bits = (word >> (8 * byte)) & 0xFF;
    for (; k > 0; --k) {
        bits &= bits - 1;
    }
    return 8 * byte + std::countr_zero(bits);
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
