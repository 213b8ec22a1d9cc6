#include "core/DateText.h"

#include <QStringList>

namespace DateText {
namespace {

std::optional<int> field(const QString &text)
{
    if (text.isEmpty() || text.size() > 9) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
    }
    return text.toInt();
}

} // namespace

QString format(QDate date)
{
    return QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day());
}

std::optional<QDate> parse(const QString &text)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3) {
        return std::nullopt;
    }
    const auto y = field(parts[0]);
    const auto m = field(parts[1]);
    const auto d = field(parts[2]);
    if (!y || !m || !d) {
        return std::nullopt;
    }
    const QDate date(*y, *m, *d);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

qint64 dayDistance(QDate from, QDate to)
{
    const qint64 days = from.daysTo(to);
    return days < 0 ? -days : days;
}

} // namespace DateText
