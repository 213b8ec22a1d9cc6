#pragma once

#include <QString>
#include <functional>

class QObject;

namespace platform {

// Asks the desktop's file manager (org.freedesktop.FileManager1) to show the
// property sheet of a file or folder. When no file manager answers within
// timeoutMs, `fallback` runs instead, on the calling thread; `context` ending
// first cancels it.
void showItemProperties(const QString &path, QObject *context, std::function<void()> fallback,
                        int timeoutMs = 2000);

} // namespace platform
