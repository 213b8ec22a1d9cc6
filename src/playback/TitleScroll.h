#pragma once

// Where a scrolling title stands between two ticks of the title timer.
struct TitleScroll {
    bool restart = false;
    int waitCount = 0;
    int leftTwips = 0;
    bool operator==(const TitleScroll &) const = default;
};

// Ticks the title rests at the left edge before it moves, and its step per tick.
inline constexpr int TitleRestTicks = 16;
inline constexpr int TitleStepTwips = 10;

// One tick with scrolling on: rest, slide a step, or start over at the left edge.
TitleScroll nextTitleTick(const TitleScroll &now, int labelWidthTwips);

// The pixel the title's left edge stands on.
int titlePixel(int leftTwips, int twipsPerPixel);

// Ticks from now until the title stands on another pixel (at least 1): the ticks
// between only count, so the timer need not wake for them.
int ticksToNextPixel(const TitleScroll &now, int labelWidthTwips, int twipsPerPixel);
