#pragma once

#include <QString>

namespace platform {

// Folder of the settings files (XDG config), ending in "/".
QString configDir();
// Folder of the files the player writes (list files, downloads), ending in "/".
QString dataDir();
// Folder of what the player can make again (measured loudness), ending in "/".
QString cacheDir();
// The desktop-session autostart entry of the player.
QString autostartEntryPath();
// Where earlier versions kept it, under a name that was not the desktop id.
QString earlierAutostartEntryPath();
// A read-only file shipped with the program (welcome page, artwork).
// Falls back to the first candidate when none exists.
QString programDataFile(const QString &name);

} // namespace platform
