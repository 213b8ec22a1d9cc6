// Any settings text parses, and what it gave writes and reads back the same, undamaged.
#include "core/IniFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IniFile first;
    first.parse(bytes);
    IniFile second;
    second.parse(first.text());
    if (second.text() != first.text() || second.damaged()) {
        std::abort();
    }
    return 0;
}
