#include "playlist/ListFile.h"

#include "platform/FileNameCodec.h"
#include "platform/FileReplace.h"

#include <QFile>
#include <QFileInfo>

namespace ListFile {
namespace {

// Splits a byte stream into entries as it arrives, in bounded memory. With a
// path store the entries go there as bytes, and unusable lines are dropped.
class LineSplitter {
public:
    explicit LineSplitter(PathStore *paths = nullptr) : paths_(paths) {}

    // Line by line rather than byte by byte: a backup list of a large library
    // is megabytes long and read at every start.
    void feed(QByteArrayView chunk)
    {
        const char *from = chunk.data();
        const char *const end = from + chunk.size();
        while (from < end) {
            const char *stop = from;
            while (stop < end && *stop != '\r' && *stop != '\n') {
                ++stop;
            }
            const QByteArrayView piece(from, stop - from);
            if (stop == end) {
                addBytes(piece); // the line goes on in the next chunk
                break;
            }
            if (line_.isEmpty()) {
                takeLine(piece, false, piece.contains('\0'));
            } else {
                addBytes(piece);
                endLine();
            }
            from = stop + 1;
        }
    }

    Contents finish()
    {
        endLine();
        return std::move(contents_);
    }

private:
    void addBytes(QByteArrayView bytes)
    {
        damaged_ = damaged_ || bytes.contains('\0');
        line_.append(bytes);
        // An overlong line is kept only as far as the file bound allows.
        overlong_ = overlong_ || line_.size() > MaxLineBytes;
    }

    void endLine()
    {
        takeLine(line_, overlong_, damaged_);
        line_.clear();
        overlong_ = false;
        damaged_ = false;
    }

    void takeLine(QByteArrayView line, bool overlong, bool damaged)
    {
        overlong = overlong || line.size() > MaxLineBytes;
        if (line.isEmpty()) {
            return;
        }
        // Paths are bytes: a name that is not UTF-8 is carried, so its folder still opens.
        if (paths_ != nullptr) {
            if (!overlong && !damaged) {
                paths_->appendBytes(line);
            }
        } else if (overlong || damaged) {
            contents_.unusable.append(line.toByteArray());
        } else {
            contents_.entries.append(platform::decodeFileName(line));
        }
    }

    PathStore *paths_;
    QByteArray line_;
    Contents contents_;
    bool overlong_ = false;
    bool damaged_ = false;
};

} // namespace

QByteArray format(const QStringList &entries, const QByteArrayList &unusable)
{
    QByteArray out;
    for (const QString &entry : entries) {
        out += platform::encodeFileName(entry);
        out += "\r\n";
    }
    for (const QByteArray &line : unusable) {
        out += line;
        out += "\r\n";
    }
    out += "\r\n";
    return out;
}

Contents parse(QByteArrayView data)
{
    LineSplitter splitter;
    splitter.feed(data);
    return splitter.finish();
}

namespace {

void readInto(const QString &path, LineSplitter &splitter)
{
    // Devices and pipes could block or never end.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return;
    }
    QByteArray chunk(qsizetype{1024} * 1024, Qt::Uninitialized);
    qint64 total = 0;
    while (total < MaxFileBytes) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got <= 0) {
            break;
        }
        splitter.feed(QByteArrayView(chunk.constData(), got));
        total += got;
    }
}

QByteArray format(const PathStore &entries)
{
    QByteArray out;
    out.reserve(entries.byteSize() + 2 * entries.size() + 2);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        out += entries.bytesAt(i);
        out += "\r\n";
    }
    out += "\r\n";
    return out;
}

} // namespace

Contents read(const QString &path)
{
    LineSplitter splitter;
    readInto(path, splitter);
    return splitter.finish();
}

PathStore readPaths(const QString &path)
{
    PathStore paths;
    // The bytes of the entries never pass the file's size: one buffer, no regrowth.
    paths.reserve(0, std::min<qint64>(QFileInfo(path).size(), MaxFileBytes));
    LineSplitter splitter(&paths);
    readInto(path, splitter);
    splitter.finish();
    return paths;
}

bool write(const QString &path, const QStringList &entries, QString *error, const QByteArrayList &unusable)
{
    return platform::replaceFile(path, format(entries, unusable), error);
}

bool write(const QString &path, const PathStore &entries, QString *error)
{
    return platform::replaceFile(path, format(entries), error);
}

} // namespace ListFile
