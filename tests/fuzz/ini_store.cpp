// Any settings text: it parses, and what it gave writes and reads back the same.
#include "app/IniFile.h"

#include <QList>

#include <cstdlib>

namespace {
// Every group and name the input spells, as decoded by the store.
QList<std::pair<QString, QString>> probes(const QByteArray &bytes)
{
    QList<std::pair<QString, QString>> found;
    QString group;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (line.startsWith('[') && line.endsWith(']') && line.size() >= 2) {
            group = IniFile::decode(line.mid(1, line.size() - 2));
        } else if (const qsizetype eq = line.indexOf('='); eq > 0 && found.size() < 64) {
            found.append({group, IniFile::decode(line.left(eq))});
        }
    }
    return found;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IniFile first;
    first.parse(bytes);
    IniFile second;
    second.parse(first.text());
    if (second.text() != first.text()) {
        std::abort();
    }
    for (const auto &[group, name] : probes(bytes)) {
        bool a = false;
        bool b = false;
        if (first.value(group, name, &a) != second.value(group, name, &b) || a != b) {
            std::abort();
        }
    }
    return 0;
}
