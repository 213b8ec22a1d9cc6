#include "platform/PathLook.h"

#include "platform/BoundedCall.h"
#include "platform/FileNameCodec.h"
#include "platform/Volumes.h"

#include <sys/stat.h>

namespace platform {

namespace {
PathLook lookNow(const QByteArray &bytes)
{
    struct stat st {};
    if (::stat(bytes.constData(), &st) != 0) {
        return PathLook{PathKind::Missing, {}};
    }
    const PathKind kind = S_ISDIR(st.st_mode)   ? PathKind::Folder
                          : S_ISREG(st.st_mode) ? PathKind::File
                                                : PathKind::Other;
    return PathLook{kind, {quint64(st.st_dev), quint64(st.st_ino)}};
}
} // namespace

PathLook lookAt(const QString &path, int timeoutMs)
{
    const std::function<PathLook()> ask = [bytes = encodeFileName(path)] { return lookNow(bytes); };
    return answerWithin(mountPointOf(path), ask, timeoutMs).value_or(PathLook{});
}

FileAndFolder lookAtFileAndFolder(const QString &file, const QString &folder, int timeoutMs)
{
    const std::function<FileAndFolder()> ask = [fileBytes = encodeFileName(file),
                                                folderBytes = encodeFileName(folder)] {
        FileAndFolder found{lookNow(fileBytes).kind, PathKind::NoAnswer};
        if (found.file != PathKind::File) {
            found.folder = lookNow(folderBytes).kind;
        }
        return found;
    };
    return answerWithin(mountPointOf(file), ask, timeoutMs).value_or(FileAndFolder{});
}

} // namespace platform
