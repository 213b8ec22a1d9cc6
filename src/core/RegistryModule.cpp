#include "core/RegistryModule.h"

#include "core/AutostartEntry.h"
#include "core/IniFile.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <utility>

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

QString asideName(const QString &path, const QString &why)
{
    const QString stem =
        path + u'.' + why + u'-' + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = stem;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n) {
        name = stem + u'-' + QString::number(n);
    }
    return name;
}

// Each file kept aside is said once, when it is kept: the user may want back what it held.
void tellKeptAside(const QString &aside, bool readInFull)
{
    const QString why =
        readInFull ? QStringLiteral("設定ファイルの一部が壊れていたため、読めた設定で書き直しました。\r\n")
                   : QStringLiteral("設定ファイルを最後まで読めなかったため、標準の設定で始めます。\r\n");
    platform::showMessage(nullptr,
                          {why + QStringLiteral("元のファイルは次の名前で残してあります。\r\n\r\n") + aside,
                           QStringLiteral("設定ファイル"), platform::MessageIcon::Exclamation,
                           platform::MessageButtons::Ok});
}

// A failed write is said once, not again for each value of the same save; a
// write that succeeds again re-arms it.
bool reportWrite(const QString &path, bool ok, const QString &error)
{
    static bool SettingsWriteFailed = false;
    if (std::exchange(SettingsWriteFailed, !ok) || ok) {
        return ok;
    }
    const QString cause = error.isEmpty() ? QString() : QStringLiteral(" : ") + error;
    platform::showMessage(
        nullptr,
        {QStringLiteral("設定を保存できませんでした。\r\n変更した設定は保存されていません。\r\n\r\n") + path +
             cause,
         QStringLiteral("保存エラー"), platform::MessageIcon::Critical, platform::MessageButtons::Ok});
    return false;
}

// A file that cannot be opened right now is said once, until it can be read again.
bool unreadableSaid = false;

void tellUnreadable(const QString &path, const QString &error)
{
    if (std::exchange(unreadableSaid, true)) {
        return;
    }
    platform::showMessage(nullptr,
                          {QStringLiteral("設定ファイルを今は読めないため、標準の設定で続けます。\r\n"
                                          "ファイルはそのまま残してあります。\r\n\r\n") +
                               path + QStringLiteral(" : ") + error,
                           QStringLiteral("設定ファイル"), platform::MessageIcon::Exclamation,
                           platform::MessageButtons::Ok});
}

// Out of descriptors, an I/O error, a right taken away: passing reasons, tried
// again a few times.
IniFile::LoadResult loadRetrying(const QString &path, IniFile &ini, int *problem)
{
    IniFile::LoadResult result = ini.load(path, problem);
    for (int attempt = 1; attempt < 3 && result == IniFile::LoadResult::Unreadable; ++attempt) {
        ::usleep(20 * 1000);
        result = ini.load(path, problem);
    }
    return result;
}

// A file read only in part must never be written over. One that cannot be read
// now is left as it is and the store runs on defaults (reads) or refuses the
// write (`tell` false: the write's failure says it); one past the size bound
// moves aside and the store starts from defaults. False when nothing may be
// written.
bool loadStore(const QString &path, IniFile &ini, QString *error = nullptr, bool tell = true)
{
    int problem = 0;
    const IniFile::LoadResult result = loadRetrying(path, ini, &problem);
    if (result == IniFile::LoadResult::Unreadable) {
        ini = IniFile();
        const QString why = QString::fromLocal8Bit(std::strerror(problem));
        if (error != nullptr) {
            *error = why;
        }
        if (tell) {
            tellUnreadable(path, why);
        }
        return false;
    }
    unreadableSaid = false;
    if (result != IniFile::LoadResult::Incomplete) {
        return true;
    }
    ini = IniFile();
    const QString aside = asideName(path, QStringLiteral("unread"));
    QFile file(path);
    if (file.rename(aside)) {
        tellKeptAside(aside, false);
        return true;
    }
    if (error != nullptr) {
        *error = file.errorString();
    }
    std::fprintf(stderr, "lyrabox3: settings file %s could not be read in full nor moved aside\n",
                 qPrintable(path));
    return false;
}

// What a damaged file held beyond the values read is kept in a copy before the
// file is written over.
bool keepDamagedCopy(const QString &path, const IniFile &ini, QString *error)
{
    if (!ini.damaged()) {
        return true;
    }
    const QString aside = asideName(path, QStringLiteral("damaged"));
    QFile file(path);
    if (!file.copy(aside)) {
        *error = file.errorString();
        return false;
    }
    tellKeptAside(aside, true);
    return true;
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
        if (!reportWrite(platform::autostartEntryPath(),
                         AutostartEntry::write(platform::autostartEntryPath(), text), QString())) {
            return false;
        }
        QFile::remove(platform::earlierAutostartEntryPath());
        return true;
    }
    const QString file = backingFile(root);
    IniFile ini;
    QString error;
    bool ok = loadStore(file, ini, &error, false) && keepDamagedCopy(file, ini, &error);
    if (ok) {
        ini.setValue(keyPath, valueName, text);
        ok = ini.save(file, &error);
    }
    return reportWrite(file, ok, error);
}

} // namespace RegistryModule
