#include "folders/FolderContents.h"

#include "platform/FileNameCodec.h"
#include "platform/Volumes.h"
#include "playlist/PlayFilePattern.h"

#include <QCollator>

#include <dirent.h>
#include <sys/stat.h>

namespace FolderContents {
namespace {

enum class Kind { Other, Folder, File };

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

template <class Visit> bool forEachVisible(const QString &folder, Visit visit)
{
    // A folder whose volume does not answer within a second cannot be read: it must not hold a window.
    if (platform::probeDirectory(folder, 1000) != platform::DirectoryAnswer::Answered) {
        return false;
    }
    DIR *dir = opendir(platform::encodeFileName(folder).constData());
    if (dir == nullptr) {
        return false;
    }
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] != '.') {
            visit(dir, entry);
        }
    }
    closedir(dir);
    return true;
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
    const bool read = forEachVisible(folder, [&](DIR *dir, const dirent *entry) {
        if (kindOf(dir, entry, nullptr) == Kind::Folder) {
            names.append(platform::decodeFileName(entry->d_name));
        }
    });
    sortNames(names);
    return read;
}

bool playableFiles(const QString &folder, QStringList &names)
{
    const bool read = forEachVisible(folder, [&](DIR *dir, const dirent *entry) {
        if (isPlayableName(entry->d_name) && kindOf(dir, entry, nullptr) == Kind::File) {
            names.append(platform::decodeFileName(entry->d_name));
        }
    });
    sortNames(names);
    return read;
}

Summary summarize(const QString &folder)
{
    Summary summary;
    forEachVisible(folder, [&](DIR *dir, const dirent *entry) {
        struct stat st {};
        if (isPlayableName(entry->d_name) && kindOf(dir, entry, &st) == Kind::File) {
            ++summary.files;
            summary.bytes += st.st_size;
        }
    });
    return summary;
}

} // namespace FolderContents
