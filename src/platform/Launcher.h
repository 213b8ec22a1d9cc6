#pragma once

#include <QString>
#include <functional>

namespace platform {

// Starts a program file as a process of its own, detached from the player.
// Returns whether it started.
using ProgramLauncher = std::function<bool(const QString &program)>;

// On failure `error` (when given) says why, as the system put it.
bool launchProgram(const QString &program, QString *error = nullptr);

// Replaces the real start (tests record what was started); empty restores it.
void setProgramLauncher(ProgramLauncher launcher);

} // namespace platform
