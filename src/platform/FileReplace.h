#pragma once

#include <QByteArrayView>
#include <QString>

namespace platform {

enum class FileMode {
    KeepOrShared, // the old file's mode, else 0666 less the umask
    Private,      // 0600 whatever the old file had: settings
};

// Puts `bytes` in place of the file at `path` whole or not at all: they go to a
// new file beside it, made with its final mode under a name nobody can guess,
// which replaces the old one only once every byte of it is known to be on disk;
// the rename itself is then made lasting. A symbolic link at `path` is replaced
// itself, never written through. New files of ours that a crash left beside it
// are removed. On failure the old file is untouched and `error` says why.
bool replaceFile(const QString &path, QByteArrayView bytes, QString *error = nullptr,
                 FileMode mode = FileMode::KeepOrShared);

} // namespace platform
