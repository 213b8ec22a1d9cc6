#include "core/SystemDataBox.h"

namespace {
SystemDataBox &instance()
{
    static SystemDataBox box;
    return box;
}
} // namespace

SystemDataBox &sys()
{
    return instance();
}

void resetSystemDataBox()
{
    instance() = SystemDataBox{};
}
