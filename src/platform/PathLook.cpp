#include "platform/PathLook.h"

#include "platform/BoundedCall.h"
#include "platform/FileNameCodec.h"
#include "platform/Volumes.h"

#include <sys/stat.h>

namespace platform {

PathLook lookAt(const QString &path, int timeoutMs)
{
    const std::function<PathLook()> ask = [bytes = encodeFileName(path)] {
        struct stat st {};
        if (::stat(bytes.constData(), &st) != 0) {
            return PathLook{PathKind::Missing, {}};
        }
        const PathKind kind = S_ISDIR(st.st_mode)   ? PathKind::Folder
                              : S_ISREG(st.st_mode) ? PathKind::File
                                                    : PathKind::Other;
        return PathLook{kind, {quint64(st.st_dev), quint64(st.st_ino)}};
    };
    return answerWithin(mountPointOf(path), ask, timeoutMs).value_or(PathLook{});
}

} // namespace platform
