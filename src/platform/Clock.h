#pragma once

#include <QDate>
#include <optional>

namespace platform {

// Today's date on the local calendar.
QDate today();

// Tests pin the date; std::nullopt restores the system clock.
void setTodayOverride(std::optional<QDate> date);

} // namespace platform
