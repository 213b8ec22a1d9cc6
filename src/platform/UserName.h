#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace platform {

// Login name of the effective user; empty when it cannot be found.
QString currentUserName();

// Tests force a name (or an empty one); std::nullopt restores the real lookup.
void setUserNameOverride(std::optional<QString> name);

} // namespace platform
