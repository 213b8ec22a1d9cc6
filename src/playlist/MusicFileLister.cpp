#include "playlist/MusicFileLister.h"

#include "platform/FileNameCodec.h"

#include <QStringDecoder>

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

bool listMusicFiles(const QString &folder, const FilePattern &pattern, QStringList &names,
                    const QString &prefix)
{
    DIR *dir = opendir(platform::encodeFileName(folder).constData());
    if (dir == nullptr) {
        return false;
    }
    DirCloser closer(dir);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    while (const dirent *entry = readdir(dir)) {
        // A name with a line end cannot be stored in a list file line.
        if (entry->d_name[0] == '.' || std::strpbrk(entry->d_name, "\r\n") != nullptr) {
            continue;
        }
        // Decoded straight behind the prefix: one string per file, not two.
        // UTF-8 never takes fewer bytes than UTF-16 takes code units.
        const QByteArrayView bytes(entry->d_name);
        QString path(prefix.size() + bytes.size(), Qt::Uninitialized);
        QChar *name = std::copy(prefix.cbegin(), prefix.cend(), path.begin());
        decoder.resetState();
        const QChar *nameEnd = decoder.appendToBuffer(name, bytes);
        if (decoder.hasError()) {
            // Rare: a name that is not UTF-8 is carried byte by byte.
            path.truncate(prefix.size());
            path += platform::decodeFileName(bytes);
            name = path.data() + prefix.size();
            nameEnd = path.constData() + path.size();
        }
        if (!pattern.matches(QStringView(name, nameEnd)) || !isOrdinaryFile(dir, entry)) {
            continue;
        }
        path.truncate(prefix.size() + (nameEnd - name));
        names.append(std::move(path));
    }
    return true;
}
