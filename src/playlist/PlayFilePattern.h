#pragma once

#include <QString>
#include <array>

// The ";"-separated wildcards of the playable file groups that are switched on.
namespace PlayFilePattern {

inline constexpr int GroupCount = 6;
// A group whose setting reads exactly this is off.
inline const QString Off = QStringLiteral("none");

// Wildcards of group 1 .. 6.
QString groupWildcards(int group);

// From the six group settings, group 1 first. With every group off the pattern
// stays "none".
QString assemble(const std::array<QString, GroupCount> &settings);

// From the MFPattern settings.
QString fromSettings();

} // namespace PlayFilePattern
