#include "playlist/PlayFilePattern.h"

#include "app/RegistryModule.h"

namespace PlayFilePattern {

QString groupWildcards(int group)
{
    switch (group) {
    case 1:
        return QStringLiteral("*.wma;*.wax");
    case 2:
        return QStringLiteral("*.wav");
    case 3:
        return QStringLiteral("*.mp3;*.m3u");
    case 4:
        return QStringLiteral("*.mid;*.midi;*.rmi");
    case 5:
        return QStringLiteral("*.aif;*.aifc;*.aiff");
    case 6:
        return QStringLiteral("*.au;*.snd");
    default:
        return {};
    }
}

QString assemble(const std::array<QString, GroupCount> &settings)
{
    QString pattern = Off;
    for (int group = 1; group <= GroupCount; ++group) {
        if (settings[group - 1] == Off) {
            continue;
        }
        pattern = pattern == Off ? groupWildcards(group) : pattern + u';' + groupWildcards(group);
    }
    return pattern;
}

QString fromSettings()
{
    using namespace RegistryModule;
    std::array<QString, GroupCount> settings;
    for (int group = 1; group <= GroupCount; ++group) {
        settings[group - 1] = GetRegString(HKEY_CURRENT_USER, SettingsKey, MFPattern(group));
    }
    return assemble(settings);
}

} // namespace PlayFilePattern
