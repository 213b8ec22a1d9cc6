#pragma once

#include "platform/FolderIdentity.h"

#include <QString>

namespace platform {

enum class PathKind { NoAnswer, Missing, Folder, File, Other };

struct PathLook {
    PathKind kind = PathKind::NoAnswer;
    FolderIdentity id; // of a folder
};

// What lies at a path, looked at on a helper (BoundedCall) for at most timeoutMs.
// NoAnswer: its volume did not answer in time or still has a look out.
// Missing: it is not there or cannot be looked at.
PathLook lookAt(const QString &path, int timeoutMs);

// A file and, when that is no file, its folder, in one look: a queue of missing
// files costs one helper call each. A folder left unlooked-at stays NoAnswer.
struct FileAndFolder {
    PathKind file = PathKind::NoAnswer;
    PathKind folder = PathKind::NoAnswer;
};
FileAndFolder lookAtFileAndFolder(const QString &file, const QString &folder, int timeoutMs);

} // namespace platform
