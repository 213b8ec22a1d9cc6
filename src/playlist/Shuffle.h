#pragma once

#include "playlist/PathStore.h"

// Deals the entries of `source` out in random order: for each entry one draw r
// (0 <= r < 1) picks entry floor(count * r) of those still left. The same draws
// always give the same order; draws of 0 keep the order, draws just below 1
// reverse it. Leaves `source` empty.
using Draw = double (*)();
PathStore shuffleDeal(PathStore &source, Draw draw);
