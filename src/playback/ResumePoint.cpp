#include "playback/ResumePoint.h"

namespace ResumePoint {

std::optional<qint64> worthKeeping(qint64 positionMs, qint64 lengthMs)
{
    if (positionMs < MarginMs || positionMs > lengthMs - MarginMs) {
        return std::nullopt;
    }
    return positionMs;
}

QString toText(const Point &point)
{
    return QString::number(point.ms) + u' ' + point.path;
}

std::optional<Point> fromText(const QString &text)
{
    const qsizetype blank = text.indexOf(u' ');
    bool number = false;
    const qint64 ms = blank > 0 ? text.left(blank).toLongLong(&number) : 0;
    if (!number || ms <= 0 || blank + 1 >= text.size()) {
        return std::nullopt;
    }
    return Point{text.mid(blank + 1), ms};
}

} // namespace ResumePoint
