#pragma once

#include <QString>
#include <functional>

namespace platform {

// Opens a local file or a web address with the desktop's default program.
// A local file that does not exist opens nothing. Returns whether the desktop took it.
using ShellOpenHandler = std::function<bool(const QString &target)>;

bool shellOpen(const QString &target);

// Replaces the desktop call (tests record what was opened); empty restores it.
void setShellOpenHandler(ShellOpenHandler handler);

} // namespace platform
