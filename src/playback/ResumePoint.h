#pragma once

#include <QString>
#include <optional>

// Where the track that was playing at the end of a run stopped, so that the next
// run takes it up there. Kept in the setting ResumeTrack.
namespace ResumePoint {

// Nothing is resumed this close to either end of a track.
inline constexpr qint64 MarginMs = 5000;

struct Point {
    QString path;
    qint64 ms = 0;
};

// The position worth keeping for a track stopped at positionMs of lengthMs.
std::optional<qint64> worthKeeping(qint64 positionMs, qint64 lengthMs);

// The setting's text: the milliseconds, a blank, the full path.
QString toText(const Point &point);
std::optional<Point> fromText(const QString &text);

} // namespace ResumePoint
