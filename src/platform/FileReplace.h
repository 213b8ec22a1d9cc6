#pragma once

#include <QByteArrayView>
#include <QString>

namespace platform {

// Puts `bytes` in place of the file at `path` whole or not at all: they go to a
// new file beside it, which replaces the old one only once every byte of it is
// known to be on disk. A symbolic link at `path` is replaced itself, never
// written through. On failure the old file is untouched and `error` says why.
bool replaceFile(const QString &path, QByteArrayView bytes, QString *error = nullptr);

} // namespace platform
