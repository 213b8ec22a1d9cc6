#include "platform/Clock.h"

namespace platform {
namespace {

std::optional<QDate> &overrideDate()
{
    static std::optional<QDate> date;
    return date;
}

} // namespace

QDate today()
{
    return overrideDate() ? *overrideDate() : QDate::currentDate();
}

void setTodayOverride(std::optional<QDate> date)
{
    overrideDate() = date;
}

} // namespace platform
