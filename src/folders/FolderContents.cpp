#include "folders/FolderContents.h"

#include "platform/BoundedCall.h"
#include "platform/FileNameCodec.h"
#include "platform/Volumes.h"
#include "playlist/PlayFilePattern.h"

#include <QCollator>

#include <dirent.h>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace FolderContents {
namespace {

enum class Kind { Other, Folder, File };

struct Entry {
    QByteArray name;
    Kind kind = Kind::Other;
    qint64 bytes = 0;
};
using Listing = std::vector<Entry>;

// A folder whose volume does not answer within this cannot be read: it must not hold a window.
constexpr int ReadWaitMs = 1000;

// A link counts as what it points to; d_type saves the stat otherwise.
Kind kindOf(DIR *dir, const dirent *entry, struct stat *st)
{
    if (entry->d_type == DT_DIR) {
        return Kind::Folder;
    }
    if (entry->d_type == DT_REG && st == nullptr) {
        return Kind::File;
    }
    struct stat own {};
    struct stat *info = st != nullptr ? st : &own;
    if (fstatat(dirfd(dir), entry->d_name, info, 0) != 0) {
        return Kind::Other;
    }
    return S_ISDIR(info->st_mode) ? Kind::Folder : S_ISREG(info->st_mode) ? Kind::File : Kind::Other;
}

// Runs on a helper: the names, kinds and (with `sizes`) the sizes of playable files.
std::optional<Listing> readListing(const QByteArray &folder, bool sizes)
{
    DIR *dir = opendir(folder.constData());
    if (dir == nullptr) {
        return std::nullopt;
    }
    Listing listing;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        struct stat st {};
        const bool sized = sizes && isPlayableName(entry->d_name);
        const Kind kind = kindOf(dir, entry, sized ? &st : nullptr);
        listing.push_back({QByteArray(entry->d_name), kind, sized ? qint64(st.st_size) : 0});
    }
    closedir(dir);
    return listing;
}

std::optional<Listing> visibleEntries(const QString &folder, bool sizes = false)
{
    const std::function<std::optional<Listing>()> read = [bytes = platform::encodeFileName(folder), sizes] {
        return readListing(bytes, sizes);
    };
    return platform::answerWithin(platform::mountPointOf(folder), read, ReadWaitMs).value_or(std::nullopt);
}

void sortNames(QStringList &names)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
}

} // namespace

bool isPlayableName(QByteArrayView name)
{
    static const QByteArrayList extensions = [] {
        QByteArrayList list;
        for (const QString &extension : PlayFilePattern::allExtensions()) {
            list << extension.toLatin1();
        }
        return list;
    }();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot < 0) {
        return false;
    }
    const QByteArrayView extension = name.sliced(dot + 1);
    for (const QByteArray &candidate : extensions) {
        if (extension.size() == candidate.size() &&
            qstrnicmp(extension.data(), candidate.constData(), extension.size()) == 0) {
            return true;
        }
    }
    return false;
}

bool subfolders(const QString &folder, QStringList &names)
{
    const std::optional<Listing> listing = visibleEntries(folder);
    for (const Entry &entry : listing.value_or(Listing{})) {
        if (entry.kind == Kind::Folder) {
            names.append(platform::decodeFileName(entry.name));
        }
    }
    sortNames(names);
    return listing.has_value();
}

bool playableFiles(const QString &folder, QStringList &names)
{
    const std::optional<Listing> listing = visibleEntries(folder);
    for (const Entry &entry : listing.value_or(Listing{})) {
        if (entry.kind == Kind::File && isPlayableName(entry.name)) {
            names.append(platform::decodeFileName(entry.name));
        }
    }
    sortNames(names);
    return listing.has_value();
}

Summary summarize(const QString &folder)
{
    Summary summary;
    for (const Entry &entry : visibleEntries(folder, true).value_or(Listing{})) {
        if (entry.kind == Kind::File && isPlayableName(entry.name)) {
            ++summary.files;
            summary.bytes += entry.bytes;
        }
    }
    return summary;
}

} // namespace FolderContents
