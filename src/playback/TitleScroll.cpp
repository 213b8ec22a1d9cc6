#include "playback/TitleScroll.h"

#include <cmath>
#include <cstdlib>

TitleScroll nextTitleTick(const TitleScroll &now, int labelWidthTwips)
{
    if (now.restart) {
        return {false, 0, 0};
    }
    if (now.waitCount < TitleRestTicks) {
        return {false, now.waitCount + 1, now.leftTwips};
    }
    const int left = now.leftTwips - TitleStepTwips;
    // Wholly out of the box: the next tick puts it back at the left edge.
    if (std::abs(left) > labelWidthTwips) {
        return {true, 0, left};
    }
    return {false, now.waitCount, left};
}

int titlePixel(int leftTwips, int twipsPerPixel)
{
    return static_cast<int>(std::lround(leftTwips / double(twipsPerPixel)));
}

int ticksToNextPixel(const TitleScroll &now, int labelWidthTwips, int twipsPerPixel)
{
    // A cycle is the rest plus the slide; past that something has surely moved.
    const int bound = TitleRestTicks + 2 + (labelWidthTwips + TitleStepTwips) / TitleStepTwips;
    const int pixel = titlePixel(now.leftTwips, twipsPerPixel);
    TitleScroll state = now;
    for (int ticks = 1; ticks < bound; ++ticks) {
        state = nextTitleTick(state, labelWidthTwips);
        if (titlePixel(state.leftTwips, twipsPerPixel) != pixel) {
            return ticks;
        }
    }
    return 1;
}
