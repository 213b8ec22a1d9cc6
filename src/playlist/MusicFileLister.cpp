#include "playlist/MusicFileLister.h"

#include "platform/FileNameCodec.h"

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {

// The directory entry's type saves a stat per file; only links and file
// systems that do not report the type need one.
bool isOrdinaryFile(DIR *dir, const dirent *entry)
{
    if (entry->d_type == DT_REG) {
        return true;
    }
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) {
        return false;
    }
    struct stat st {};
    return fstatat(dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
}

class DirCloser {
public:
    explicit DirCloser(DIR *dir) : dir_(dir) {}
    ~DirCloser() { closedir(dir_); }
    DirCloser(const DirCloser &) = delete;
    DirCloser &operator=(const DirCloser &) = delete;

private:
    DIR *dir_;
};

} // namespace

bool listMusicFiles(const QString &folder, const FilePattern &pattern, PathStore &names,
                    const QString &prefix)
{
    DIR *dir = opendir(platform::encodeFileName(folder).constData());
    if (dir == nullptr) {
        return false;
    }
    DirCloser closer(dir);
    const QByteArray prefixBytes = platform::encodeFileName(prefix);
    while (const dirent *entry = readdir(dir)) {
        // A name with a line end cannot be stored in a list file line.
        if (entry->d_name[0] == '.' || std::strpbrk(entry->d_name, "\r\n") != nullptr) {
            continue;
        }
        const QByteArrayView bytes(entry->d_name);
        if (pattern.matchesFileName(bytes) && isOrdinaryFile(dir, entry)) {
            names.appendBytes(prefixBytes, bytes);
        }
    }
    return true;
}
