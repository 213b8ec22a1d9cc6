#include "playlist/PlayFilePattern.h"

#include "core/RegistryModule.h"

namespace PlayFilePattern {

QString groupWildcards(int group)
{
    return group >= 1 && group <= GroupCount ? QString::fromUtf16(Groups[group - 1].wildcards) : QString();
}

QStringList captions()
{
    QStringList captions;
    for (const FileGroup &group : Groups) {
        captions << QString::fromUtf16(group.caption);
    }
    return captions;
}

QStringList allExtensions()
{
    QStringList extensions;
    for (int group = 1; group <= GroupCount; ++group) {
        for (const QString &wildcard : groupWildcards(group).split(u';')) {
            extensions << wildcard.mid(2); // after "*."
        }
    }
    return extensions;
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
