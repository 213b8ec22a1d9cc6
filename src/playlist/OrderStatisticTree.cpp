#include "playlist/OrderStatisticTree.h"

namespace {
qsizetype lowestBit(qsizetype i)
{
    return i & -i;
}
} // namespace

OrderStatisticTree::OrderStatisticTree(qsizetype n) : tree_(static_cast<size_t>(n) + 1), remaining_(n)
{
    // Every position is in: node i counts the lowestBit(i) positions it covers.
    for (qsizetype i = 1; i <= n; ++i) {
        tree_[i] = static_cast<qint32>(lowestBit(i));
    }
    topStep_ = 1;
    while (topStep_ * 2 <= n) {
        topStep_ *= 2;
    }
}

qsizetype OrderStatisticTree::kth(qsizetype k) const
{
    const qsizetype n = static_cast<qsizetype>(tree_.size()) - 1;
    qsizetype position = 0;
    qsizetype rest = k + 1;
    for (qsizetype step = topStep_; step > 0; step /= 2) {
        const qsizetype next = position + step;
        if (next <= n && tree_[next] < rest) {
            position = next;
            rest -= tree_[next];
        }
    }
    // The longest prefix holding at most k remaining entries ends just before
    // the one sought, so its length is that entry's 0-based position.
    return position;
}

void OrderStatisticTree::remove(qsizetype position)
{
    const qsizetype n = static_cast<qsizetype>(tree_.size()) - 1;
    for (qsizetype i = position + 1; i <= n; i += lowestBit(i)) {
        --tree_[i];
    }
    --remaining_;
}
