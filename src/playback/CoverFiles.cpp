#include "playback/CoverFiles.h"

#include "platform/FileReplace.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace CoverFiles {
namespace {

QString extensionOf(const QByteArray &bytes, const QByteArray &mimeType)
{
    if (mimeType == "image/jpeg" || mimeType == "image/jpg" || bytes.startsWith("\xFF\xD8\xFF")) {
        return QStringLiteral("jpg");
    }
    if (mimeType == "image/png" || bytes.startsWith("\x89PNG\r\n\x1A\n")) {
        return QStringLiteral("png");
    }
    return {};
}

// Oldest first by last use; the one just used was touched before this.
void trimCache(const QString &dir)
{
    QFileInfoList files = QDir(dir).entryInfoList({QStringLiteral("*.jpg"), QStringLiteral("*.png")},
                                                  QDir::Files, QDir::Time | QDir::Reversed);
    for (qsizetype i = 0; i + MaxCachedCovers < files.size(); ++i) {
        QFile::remove(files[i].filePath());
    }
}

} // namespace

QString folderCoverName(const QStringList &names)
{
    for (const QString &stem : {QStringLiteral("cover."), QStringLiteral("folder.")}) {
        for (const QString &name : names) {
            const QString suffix = name.mid(stem.size()).toLower();
            if (name.startsWith(stem, Qt::CaseInsensitive) &&
                (suffix == u"jpg" || suffix == u"jpeg" || suffix == u"png")) {
                return name;
            }
        }
    }
    return {};
}

QString cachedCoverName(const QByteArray &bytes, const QByteArray &mimeType)
{
    const QString extension = extensionOf(bytes, mimeType);
    if (bytes.isEmpty() || extension.isEmpty()) {
        return {};
    }
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    return QString::fromLatin1(hash.left(32)) + u'.' + extension;
}

QString coverCacheDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/lyrabox3/covers/");
}

QString storeCover(const QByteArray &bytes, const QByteArray &mimeType)
{
    const QString name = cachedCoverName(bytes, mimeType);
    if (name.isEmpty()) {
        return {};
    }
    const QString dir = coverCacheDir();
    const QString path = dir + name;
    QFile existing(path);
    if (existing.size() == bytes.size()) {
        // Marks it as used, so the trim keeps it.
        if (existing.open(QIODevice::ReadWrite)) {
            existing.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        }
        return path;
    }
    if (!QDir().mkpath(dir) || !platform::replaceFile(path, bytes)) {
        return {};
    }
    trimCache(dir);
    return path;
}

} // namespace CoverFiles
