// Any path: the short form is bounded by the path and never empty for a
// non-empty path; it does not crash on either convention.
#include "playlist/PathDisplayForm.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QString path =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype bound = path.size(); // the short form is taken only when it is shorter
    for (const PathConvention &convention : {WindowsPaths, LinuxPaths}) {
        const QString shortForm = FileNameShortCut(path, convention);
        if (shortForm.size() > bound || FolderDisplayForm(path, convention).size() > bound ||
            (shortForm.isEmpty() && !path.isEmpty())) {
            std::abort();
        }
    }
    return 0;
}
