#include "platform/Paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace platform {
namespace {

QString withSlash(const QString &dir)
{
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

} // namespace

QString configDir()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           QStringLiteral("lyrabox3/");
}

QString dataDir()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
           QStringLiteral("lyrabox3/");
}

QString cacheDir()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)) +
           QStringLiteral("lyrabox3/");
}

QString autostartEntryPath()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           QStringLiteral("autostart/com.miravelt.Lyrabox3.desktop");
}

QString earlierAutostartEntryPath()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           QStringLiteral("autostart/lyrabox3.desktop");
}

QString programDataFile(const QString &name)
{
    // Installed beside the program, installed under the prefix, or run from the build tree.
    const QStringList candidates{
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/lyrabox3/") + name,
        QStringLiteral(LYRA_DATA_DIR "/") + name,
        QStringLiteral(LYRA_SOURCE_ASSETS_DIR "/") + name,
    };
    for (const QString &path : candidates) {
        if (QFileInfo::exists(path)) {
            return QFileInfo(path).absoluteFilePath();
        }
    }
    return candidates.front();
}

} // namespace platform
