#include "playlist/MusicFileLister.h"

#include <QFile>
#include <QStringDecoder>

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

bool listMusicFiles(const QString &folder, const FilePattern &pattern, QStringList &names)
{
    DIR *dir = opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr) {
        return false;
    }
    DirCloser closer(dir);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        decoder.resetState();
        QString name = decoder.decode(QByteArrayView(entry->d_name));
        if (decoder.hasError() || !pattern.matches(name) || !isOrdinaryFile(dir, entry)) {
            continue;
        }
        names.append(std::move(name));
    }
    return true;
}
