#include "playlist/ListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace ListFile {
namespace {

// Splits a byte stream into entries as it arrives, in bounded memory.
class LineSplitter {
public:
    void feed(QByteArrayView chunk)
    {
        for (const char c : chunk) {
            if (pendingCr_) {
                pendingCr_ = false;
                if (c == '\n') {
                    continue;
                }
            }
            if (c == '\r') {
                endLine();
                pendingCr_ = true;
            } else {
                addByte(c);
            }
        }
    }

    QStringList finish()
    {
        if (!line_.isEmpty() || overlong_ || damaged_) {
            endLine();
        }
        if (lastLineEmpty_ && !entries_.isEmpty()) {
            entries_.removeLast();
        }
        return std::move(entries_);
    }

private:
    void addByte(char c)
    {
        if (c == '\0') {
            damaged_ = true;
        }
        if (line_.size() < MaxLineBytes) {
            line_.append(c);
        } else {
            overlong_ = true;
        }
    }

    void endLine()
    {
        lastLineEmpty_ = line_.isEmpty() && !overlong_;
        if (!overlong_ && !damaged_) {
            decoder_.resetState();
            QString entry = decoder_.decode(line_);
            if (!decoder_.hasError()) {
                entries_.append(std::move(entry));
            }
        }
        line_.clear();
        overlong_ = false;
        damaged_ = false;
    }

    QStringDecoder decoder_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    QByteArray line_;
    QStringList entries_;
    bool pendingCr_ = false;
    bool overlong_ = false;
    bool damaged_ = false;
    bool lastLineEmpty_ = false;
};

} // namespace

QByteArray format(const QStringList &entries)
{
    QByteArray out;
    for (const QString &entry : entries) {
        out += entry.toUtf8();
        out += "\r\n";
    }
    out += "\r\n";
    return out;
}

QStringList parse(QByteArrayView data)
{
    LineSplitter splitter;
    splitter.feed(data);
    return splitter.finish();
}

QStringList read(const QString &path)
{
    // Devices and pipes could block or never end.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    LineSplitter splitter;
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
    return splitter.finish();
}

bool write(const QString &path, const QStringList &entries, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray bytes = format(entries);
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!ok && error != nullptr) {
        *error = file.errorString();
    }
    return ok;
}

} // namespace ListFile
