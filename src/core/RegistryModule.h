#pragma once

#include <QString>
#include <cstdint>

// The settings store: string values under a root and a key path, as the
// registry keeps them. Missing values read as empty; nothing is ever deleted.
namespace RegistryModule {

enum class RootKey : std::uint32_t {
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
};

inline constexpr RootKey HKEY_CURRENT_USER = RootKey::CurrentUser;
inline constexpr RootKey HKEY_LOCAL_MACHINE = RootKey::LocalMachine;

// Largest stored value, terminating NUL included, that still reads back.
inline constexpr int ValueBufferBytes = 1024;

inline const QString SettingsKey = QStringLiteral("Software\\MIRAVELT\\Lyrabox 3");
inline const QString InstallKey = QStringLiteral("SOFTWARE\\MIRAVELT\\Lyrabox 3");
inline const QString RunKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");

// Value names.
inline const QString MFPatternPrefix = QStringLiteral("MFPattern");
inline const QString DColor = QStringLiteral("DColor");
inline const QString LeftCMenu = QStringLiteral("LeftCMenu");
inline const QString RightCMenu = QStringLiteral("RightCMenu");
inline const QString MiddleCMenu = QStringLiteral("MiddleCMenu");
inline const QString TaskLCMenu = QStringLiteral("TaskLCMenu");
inline const QString TitleScroll = QStringLiteral("TitleScroll");
inline const QString TitleToolTip = QStringLiteral("TitleToolTip");
inline const QString AutoPlay = QStringLiteral("AutoPlay");
inline const QString PlayEndMode = QStringLiteral("PlayEndMode");
inline const QString InfoCover = QStringLiteral("InfoCover");
inline const QString TrackNotice = QStringLiteral("TrackNotice");
inline const QString EvenLoudness = QStringLiteral("EvenLoudness");
inline const QString DownWin = QStringLiteral("DownWin");
inline const QString ListBackup = QStringLiteral("ListBackup");
// Ours: where the track playing at the last exit stopped (ResumePoint).
inline const QString ResumeTrack = QStringLiteral("ResumeTrack");
inline const QString Revision = QStringLiteral("Revision");
inline const QString LastUP = QStringLiteral("LastUP");
inline const QString Release = QStringLiteral("Release");
inline const QString RunValue = QStringLiteral("Lyrabox 3");

// "MFPattern1", "MFPattern2" and so on, one for each file group.
QString MFPattern(int group);

QString GetRegString(RootKey root, const QString &keyPath, const QString &valueName);
bool SetRegString(RootKey root, const QString &keyPath, const QString &valueName, const QString &text);

// The file that backs a root.
QString backingFile(RootKey root);

} // namespace RegistryModule
