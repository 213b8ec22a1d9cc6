#include "playback/MusicTickPlan.h"

#include <algorithm>
#include <cmath>

int ticksToNextChange(double positionMs, double lengthMs, bool elapsed, int barWidth, int tickMs)
{
    if (!(lengthMs > 0) || !(positionMs >= 0) || positionMs >= lengthMs || tickMs <= 0) {
        return 1;
    }
    // The label shows whole seconds, cut down.
    const double shown = elapsed ? positionMs : lengthMs - positionMs;
    const double rest = std::fmod(shown, 1000.0);
    double wait = elapsed ? 1000.0 - rest : rest + 1.0;
    if (barWidth > 0) {
        const double pixel = std::floor(positionMs / lengthMs * barWidth);
        wait = std::min(wait, (pixel + 1) * lengthMs / barWidth - positionMs);
    }
    const double ticks = std::ceil(wait / tickMs);
    return static_cast<int>(std::clamp(ticks, 1.0, double(MaxQuietTicks)));
}
