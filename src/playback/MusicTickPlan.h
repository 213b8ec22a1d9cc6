#pragma once

// Ticks of the playback timer until the time label (whole seconds, elapsed or
// remaining) or the progress bar (whole pixels of barWidth) shows something new
// while the position runs on in real time; from 1 to MaxQuietTicks.
int ticksToNextChange(double positionMs, double lengthMs, bool elapsed, int barWidth, int tickMs);

inline constexpr int MaxQuietTicks = 10;
