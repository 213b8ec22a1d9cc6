#include "folders/FolderWalker.h"

#include "folders/FolderContents.h"
#include "platform/FileNameCodec.h"
#include "platform/Volumes.h"

#include <QByteArray>
#include <QList>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Which mount a folder belongs to: a bind mount shares the device of its source,
// so the mount id tells them apart where the kernel gives it.
struct MountKey {
    dev_t device = 0;
    quint64 mountId = 0;
    bool operator==(const MountKey &) const = default;
};

bool mountKeyOf(int fd, MountKey &key)
{
    struct statx sx {};
    if (statx(fd, "", AT_EMPTY_PATH, STATX_MNT_ID, &sx) != 0) {
        return false;
    }
    key.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    key.mountId = (sx.stx_mask & STATX_MNT_ID) != 0 ? sx.stx_mnt_id : 0;
    return true;
}

enum class Kind { Other, Folder, File };

// Never through a link for folders; a link to a file still counts as a file.
Kind kindOf(int dirFd, const dirent *entry)
{
    if (entry->d_type == DT_DIR) {
        return Kind::Folder;
    }
    if (entry->d_type == DT_REG) {
        return Kind::File;
    }
    struct stat st {};
    if (entry->d_type == DT_UNKNOWN) {
        if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            return Kind::Other;
        }
        if (S_ISDIR(st.st_mode)) {
            return Kind::Folder;
        }
        if (!S_ISLNK(st.st_mode)) {
            return S_ISREG(st.st_mode) ? Kind::File : Kind::Other;
        }
    } else if (entry->d_type != DT_LNK) {
        return Kind::Other;
    }
    return fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode) ? Kind::File : Kind::Other;
}

struct Listing {
    bool hit = false;
    QList<QByteArray> subfolders;
};

// Reads the whole listing before anything is visited: one enumeration open at a time.
bool list(DIR *dir, const QByteArray &path, Listing &listing)
{
    const int fd = dirfd(dir);
    for (;;) {
        // Only readdir's own errno tells a failed listing; a failed look at one entry
        // (a dangling link) leaves its errno behind.
        errno = 0;
        const dirent *entry = readdir(dir);
        if (entry == nullptr) {
            return errno == 0;
        }
        if (entry->d_name[0] == '.') {
            continue;
        }
        const bool candidate = !listing.hit && FolderContents::isPlayableName(entry->d_name);
        if (!candidate && entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN) {
            continue;
        }
        const Kind kind = kindOf(fd, entry);
        if (kind == Kind::Folder) {
            listing.subfolders.append(path + entry->d_name + '/');
        } else if (kind == Kind::File && candidate) {
            listing.hit = true;
        }
    }
}

} // namespace

FolderWalker::FolderWalker(const std::atomic<bool> &running, HitHandler onHit)
    : running_(running), onHit_(std::move(onHit))
{
}

void FolderWalker::walk(const QString &root)
{
    QByteArray start = platform::encodeFileName(root);
    if (!start.endsWith('/')) {
        start += '/';
    }
    const int rootFd = ::open(start.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    MountKey rootKey;
    const bool known = rootFd >= 0 && mountKeyOf(rootFd, rootKey);
    if (rootFd >= 0) {
        ::close(rootFd);
    }
    if (!known) {
        return;
    }
    // Other mounts are known by their path before they are opened: a dead network
    // mount would hold the open.
    QSet<QByteArray> otherMounts;
    for (const platform::Mount &mount : platform::mountTable()) {
        otherMounts.insert(platform::encodeFileName(mount.point));
    }
    // Pending folders, the next to visit at the back: the order of the recursion.
    QList<QByteArray> pending{start};
    while (!pending.isEmpty() && running_.load(std::memory_order_relaxed)) {
        const QByteArray path = pending.takeLast();
        // Without the final "/", which would make open follow a link swapped in meanwhile.
        const QByteArray name = path.size() > 1 ? path.chopped(1) : path;
        if (path != start && otherMounts.contains(name)) {
            continue;
        }
        const int noFollow = path == start ? 0 : O_NOFOLLOW;
        const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | noFollow | O_CLOEXEC);
        MountKey key;
        if (fd < 0) {
            continue;
        }
        if (!mountKeyOf(fd, key) || !(key == rootKey)) {
            ::close(fd);
            continue;
        }
        DIR *dir = fdopendir(fd);
        if (dir == nullptr) {
            ::close(fd);
            continue;
        }
        Listing listing;
        const bool complete = list(dir, path, listing);
        closedir(dir);
        if (complete && listing.hit) {
            onHit_(platform::decodeFileName(path));
        }
        for (auto it = listing.subfolders.crbegin(); it != listing.subfolders.crend(); ++it) {
            pending.append(*it);
        }
    }
}
