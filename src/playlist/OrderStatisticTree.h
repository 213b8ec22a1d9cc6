#pragma once

#include <QtGlobal>
#include <vector>

// The positions 0 .. n-1, of which any can be taken out; finds the k-th of
// those still in and takes one out in O(log n): a bit per position, in words of
// 64, and a Fenwick tree of the words' counts.
class OrderStatisticTree {
public:
    explicit OrderStatisticTree(qsizetype n);

    qsizetype remaining() const { return remaining_; }
    // The position of the k-th (from 0) remaining entry; k < remaining().
    qsizetype kth(qsizetype k) const;
    void remove(qsizetype position);

private:
    // The tree over words is 64 times smaller than one over positions, so the
    // tree of a large library stays in the nearest cache.
    std::vector<quint64> in_;
    std::vector<qint32> tree_; // 1-based
    qsizetype topStep_ = 0;
    qsizetype remaining_ = 0;
};
