#pragma once

#include <QtGlobal>
#include <vector>

// The positions 0 .. n-1, of which any can be taken out; finds the k-th of
// those still in and takes one out in O(log n) (a Fenwick tree of counts).
class OrderStatisticTree {
public:
    explicit OrderStatisticTree(qsizetype n);

    qsizetype remaining() const { return remaining_; }
    // The position of the k-th (from 0) remaining entry; k < remaining().
    qsizetype kth(qsizetype k) const;
    void remove(qsizetype position);

private:
    // Counts fit 32 bits for any list that fits in memory; half the size keeps
    // the tree of a large library in cache.
    std::vector<qint32> tree_; // 1-based
    qsizetype topStep_ = 0;
    qsizetype remaining_ = 0;
};
