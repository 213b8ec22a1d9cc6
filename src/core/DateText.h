#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Dates as the install key stores them: year/month/day without leading zeros.
namespace DateText {

QString format(QDate date);
// std::nullopt for anything that is not a real y/m/d date.
std::optional<QDate> parse(const QString &text);
// Calendar days between the two dates, counted in either direction.
qint64 dayDistance(QDate from, QDate to);

} // namespace DateText
