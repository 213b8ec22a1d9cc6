// Any bytes: entries are non-empty and line-free, and written back they read
// as the same entries and kept lines.
#include "playlist/ListFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ListFile::Contents first = ListFile::parse(bytes);
    qsizetype total = 0;
    for (const QString &entry : first.entries) {
        if (entry.isEmpty() || entry.contains(u'\r') || entry.contains(u'\n')) {
            std::abort();
        }
        total += entry.toUtf8().size();
    }
    for (const QByteArray &line : first.unusable) {
        total += line.size();
    }
    const ListFile::Contents again = ListFile::parse(ListFile::format(first.entries, first.unusable));
    if (total > bytes.size() || again.entries != first.entries || again.unusable != first.unusable) {
        std::abort();
    }
    return 0;
}
