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

    void feed(QByteArrayView chunk)
    {
        for (const char c : chunk) {
            if (c == '\r' || c == '\n') {
                endLine();
            } else {
                addByte(c);
            }
        }
    }

    Contents finish()
    {
        endLine();
        return std::move(contents_);
    }

private:
    void addByte(char c)
    {
        damaged_ = damaged_ || c == '\0';
        line_.append(c);
        // An overlong line is kept only as far as the file bound allows.
        overlong_ = overlong_ || line_.size() > MaxLineBytes;
    }

    void endLine()
    {
        if (line_.isEmpty()) {
            return;
        }
        // Paths are bytes: a name that is not UTF-8 is carried, so its folder still opens.
        if (paths_ != nullptr) {
            if (!overlong_ && !damaged_) {
                paths_->appendBytes(line_);
            }
        } else if (overlong_ || damaged_) {
            contents_.unusable.append(line_);
        } else {
            contents_.entries.append(platform::decodeFileName(line_));
        }
        line_.clear();
        overlong_ = false;
        damaged_ = false;
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
