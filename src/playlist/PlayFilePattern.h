#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The playable file groups, each switched by its MFPattern setting, and the
// ";"-separated wildcards of the groups that are switched on.
namespace PlayFilePattern {

struct FileGroup {
    const char16_t *caption;   // its entry in the options window
    const char16_t *wildcards; // ";"-separated
};

// Group n is entry n - 1. Everything that knows the groups learns them here.
inline constexpr std::array<FileGroup, 7> Groups = {{
    {u"Windows Media オーディオファイル", u"*.wma;*.wax"},
    {u"オーディオファイル", u"*.wav"},
    {u"MP3 形式サウンド", u"*.mp3;*.m3u"},
    {u"MIDI ファイル", u"*.mid;*.midi;*.rmi"},
    {u"AIFF 形式サウンド", u"*.aif;*.aifc;*.aiff"},
    {u"AU 形式サウンド", u"*.au;*.snd"},
    {u"FLAC / Ogg / Opus / AAC 形式サウンド", u"*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac"},
}};
inline constexpr int GroupCount = int(Groups.size());
// A group whose setting reads exactly this is off.
inline const QString Off = QStringLiteral("none");

// Wildcards of group 1 .. GroupCount.
QString groupWildcards(int group);
QStringList captions();
// The extensions of every group, lower case and without the dot.
QStringList allExtensions();

// From the group settings, group 1 first. With every group off the pattern
// stays "none".
QString assemble(const std::array<QString, GroupCount> &settings);

// From the MFPattern settings.
QString fromSettings();

} // namespace PlayFilePattern
