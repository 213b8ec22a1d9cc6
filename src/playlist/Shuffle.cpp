#include "playlist/Shuffle.h"

#include "playlist/OrderStatisticTree.h"

#include <cmath>
#include <vector>

namespace {

qsizetype pick(qsizetype count, double r)
{
    // A draw at the very edge of [0, 1) may round to count; stay inside.
    const double k = std::floor(static_cast<double>(count) * r);
    if (!(k > 0)) {
        return 0;
    }
    return std::min(static_cast<qsizetype>(k), count - 1);
}

} // namespace

PathStore shuffleDeal(PathStore &source, Draw draw)
{
    const qsizetype n = source.size();
    OrderStatisticTree left(n);
    std::vector<qsizetype> order(static_cast<size_t>(n));
    for (qsizetype &position : order) {
        position = left.kth(pick(left.remaining(), draw()));
        left.remove(position);
    }
    PathStore dealt = std::move(source);
    source.clear();
    dealt.reorder(order);
    return dealt;
}
