// Any path: the short form is bounded by the path and never empty for a
// non-empty path; it does not crash on either convention.
#include "playlist/PathDisplayForm.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QString path =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const PathConvention &convention : {WindowsPaths, LinuxPaths}) {
        const QString shortForm = FileNameShortCut(path, convention);
        // "..." is added and every "&" may be doubled.
        if (shortForm.size() > 2 * path.size() + 3 || (shortForm.isEmpty() && !path.isEmpty())) {
            std::abort();
        }
        const QString folder = FolderDisplayForm(path, convention);
        if (folder.size() > 2 * path.size() + 3) {
            std::abort();
        }
    }
    return 0;
}
