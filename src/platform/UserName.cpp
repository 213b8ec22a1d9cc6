#include "platform/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace platform {
namespace {

std::optional<QString> &overrideName()
{
    static std::optional<QString> name;
    return name;
}

QString lookUpUserName()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) {
        size = 16384;
    }
    std::vector<char> buffer(static_cast<std::size_t>(size));
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
        return {};
    }
    return QString::fromLocal8Bit(found->pw_name);
}

} // namespace

QString currentUserName()
{
    if (overrideName()) {
        return *overrideName();
    }
    return lookUpUserName();
}

void setUserNameOverride(std::optional<QString> name)
{
    overrideName() = std::move(name);
}

} // namespace platform
