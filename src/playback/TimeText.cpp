#include "playback/TimeText.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

// A part that does not fit its 16-bit variable keeps the variable's old value.
void storePart(double value, std::int16_t &part)
{
    if (std::isfinite(value) && value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max()) {
        part = static_cast<std::int16_t>(value);
    }
}

} // namespace

QString timePartText(int value)
{
    const QString text = QLocale().toString(value);
    return value >= 0 && value < 10 ? QStringLiteral("0") + text : text;
}

QString TimeText(double ms, TimeParts &box)
{
    storePart(std::floor(ms / 1000 / 60 / 60), box.TimeHour);
    // The products are taken in 32 bits: in 16 bits they overflow from 546 hours on.
    storePart(std::floor(ms / 1000 / 60 - box.TimeHour * 60), box.TimeMinute);
    storePart(std::floor(ms / 1000 - box.TimeHour * 3600 - box.TimeMinute * 60), box.TimeSecond);
    return timePartText(box.TimeHour) + u':' + timePartText(box.TimeMinute) + u':' +
           timePartText(box.TimeSecond);
}
