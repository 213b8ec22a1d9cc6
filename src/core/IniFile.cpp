#include "core/IniFile.h"

#include "platform/FileReplace.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bounds for damaged files: a settings file is a few kilobytes.
constexpr qint64 maxFileBytes = qint64{8} * 1024 * 1024;
constexpr qsizetype maxLineBytes = qsizetype{64} * 1024;

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QByteArray IniFile::encode(const QString &text, const char *alsoEscape)
{
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    const QByteArray extra(alsoEscape);
    QByteArray out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '%' || extra.contains(c)) {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

QString IniFile::decode(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '%' && i + 2 < bytes.size() && hexValue(bytes[i + 1]) >= 0 &&
            hexValue(bytes[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(bytes[i + 1]) * 16 + hexValue(bytes[i + 2]));
            i += 2;
        } else {
            out += bytes[i];
        }
    }
    return QString::fromUtf8(out);
}

// False for a line that gives nothing or not all it holds: writing the file
// back would lose it.
bool IniFile::parseLine(const QByteArray &line, Group *&current)
{
    if (line.trimmed().isEmpty()) {
        return true;
    }
    const bool clean = !line.contains('\0') && QString::fromUtf8(line).toUtf8() == line;
    if (line.startsWith('[') && line.endsWith(']') && line.size() >= 2) {
        const QString name = decode(line.mid(1, line.size() - 2));
        current = findGroup(name);
        if (current == nullptr) {
            groups_.push_back(Group{name, {}});
            current = &groups_.back();
        }
        return clean;
    }
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0 || current == nullptr) {
        return false;
    }
    const QString name = decode(line.left(eq));
    for (const Entry &e : current->entries) {
        if (sameName(e.name, name)) {
            return clean; // the first of two spellings wins
        }
    }
    current->entries.push_back(Entry{name, decode(line.mid(eq + 1))});
    return clean;
}

IniFile::LoadResult IniFile::load(const QString &path, int *error)
{
    groups_.clear();
    damaged_ = false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int problem = errno;
        if (problem == ENOENT || problem == ENOTDIR) {
            return LoadResult::Missing;
        }
        if (error != nullptr) {
            *error = problem;
        }
        return LoadResult::Unreadable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return LoadResult::Incomplete; // a folder or a device in its place: no passing reason
    }
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    // Files are replaced whole, never grown in place: the size read is the size.
    const QByteArray content = file.read(std::min<qint64>(file.size(), maxFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        if (error != nullptr) {
            *error = EIO;
        }
        return LoadResult::Unreadable;
    }
    if (content.size() > maxFileBytes) {
        return LoadResult::Incomplete;
    }
    parse(content);
    return LoadResult::Read;
}

void IniFile::parse(const QByteArray &content)
{
    groups_.clear();
    damaged_ = false;
    Group *current = nullptr;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0) {
            end = content.size();
        }
        QByteArray line = content.mid(start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const bool usable = line.size() <= maxLineBytes && parseLine(line, current);
        damaged_ = damaged_ || !usable;
        start = end + 1;
    }
}

bool IniFile::save(const QString &path, QString *error) const
{
    return platform::replaceFile(path, text(), error, platform::FileMode::Private);
}

QByteArray IniFile::text() const
{
    QByteArray out;
    for (const Group &g : groups_) {
        out += '[' + encode(g.name, "") + "]\n";
        for (const Entry &e : g.entries) {
            // A value without a name cannot be read back.
            if (e.name.isEmpty()) {
                continue;
            }
            out += encode(e.name, "=[") + '=' + encode(e.value, "") + '\n';
        }
        out += '\n';
    }
    return out;
}

IniFile::Group *IniFile::findGroup(const QString &name)
{
    for (Group &g : groups_) {
        if (sameName(g.name, name)) {
            return &g;
        }
    }
    return nullptr;
}

const IniFile::Group *IniFile::findGroup(const QString &name) const
{
    return const_cast<IniFile *>(this)->findGroup(name);
}

QString IniFile::value(const QString &group, const QString &name, bool *found) const
{
    if (found)
        *found = false;
    const Group *g = findGroup(group);
    if (g == nullptr) {
        return {};
    }
    for (const Entry &e : g->entries) {
        if (sameName(e.name, name)) {
            if (found)
                *found = true;
            return e.value;
        }
    }
    return {};
}

void IniFile::setValue(const QString &group, const QString &name, const QString &text)
{
    Group *g = findGroup(group);
    if (g == nullptr) {
        groups_.push_back(Group{group, {}});
        g = &groups_.back();
    }
    for (Entry &e : g->entries) {
        if (sameName(e.name, name)) {
            e.value = text;
            return;
        }
    }
    g->entries.push_back(Entry{name, text});
}
