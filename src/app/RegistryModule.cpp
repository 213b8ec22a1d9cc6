#include "app/RegistryModule.h"

#include "app/AutostartEntry.h"
#include "app/IniFile.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace RegistryModule {
namespace {

bool isAutostartValue(RootKey root, const QString &keyPath, const QString &valueName)
{
    return root == RootKey::CurrentUser && keyPath.compare(RunKey, Qt::CaseInsensitive) == 0 &&
           valueName.compare(RunValue, Qt::CaseInsensitive) == 0;
}

// The stored text as the reader sees it: cut at the first NUL, empty when the
// value and its NUL do not fit the reader's buffer.
QString asRead(const QString &stored, bool found)
{
    if (!found || stored.toUtf8().size() + 1 > ValueBufferBytes) {
        return {};
    }
    const qsizetype nul = stored.indexOf(QChar(u'\0'));
    return nul < 0 ? stored : stored.left(nul);
}

QString asideName(const QString &path)
{
    const QString stem = path + QStringLiteral(".unread-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = stem;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n) {
        name = stem + u'-' + QString::number(n);
    }
    return name;
}

// A file read only in part must never be written over: it moves aside and the
// store starts from defaults. False when it could not be moved either.
bool loadStore(const QString &path, IniFile &ini)
{
    if (ini.load(path) != IniFile::LoadResult::Incomplete) {
        return true;
    }
    ini = IniFile();
    const QString aside = asideName(path);
    if (QFile::rename(path, aside)) {
        std::fprintf(stderr, "lyrabox3: settings file %s could not be read in full; kept as %s\n",
                     qPrintable(path), qPrintable(aside));
        return true;
    }
    std::fprintf(stderr, "lyrabox3: settings file %s could not be read in full nor moved aside\n",
                 qPrintable(path));
    return false;
}

} // namespace

QString MFPattern(int group)
{
    return MFPatternPrefix + QString::number(group);
}

QString backingFile(RootKey root)
{
    const char *name = root == RootKey::LocalMachine ? "HKEY_LOCAL_MACHINE.ini" : "HKEY_CURRENT_USER.ini";
    return platform::configDir() + QString::fromLatin1(name);
}

QString GetRegString(RootKey root, const QString &keyPath, const QString &valueName)
{
    if (isAutostartValue(root, keyPath, valueName)) {
        const QString entry = platform::autostartEntryPath();
        const QString earlier = platform::earlierAutostartEntryPath();
        const bool moved = QFile::exists(entry) || !QFile::exists(earlier);
        return asRead(AutostartEntry::read(moved ? entry : earlier), true);
    }
    IniFile ini;
    loadStore(backingFile(root), ini);
    bool found = false;
    const QString stored = ini.value(keyPath, valueName, &found);
    return asRead(stored, found);
}

bool SetRegString(RootKey root, const QString &keyPath, const QString &valueName, const QString &text)
{
    if (isAutostartValue(root, keyPath, valueName)) {
        // Once written under the desktop id, an earlier entry would start a second player.
        if (!AutostartEntry::write(platform::autostartEntryPath(), text)) {
            return false;
        }
        QFile::remove(platform::earlierAutostartEntryPath());
        return true;
    }
    IniFile ini;
    if (!loadStore(backingFile(root), ini)) {
        return false;
    }
    ini.setValue(keyPath, valueName, text);
    return ini.save(backingFile(root));
}

} // namespace RegistryModule
