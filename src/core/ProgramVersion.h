#pragma once

#include <QString>

namespace ProgramVersion {

inline constexpr int Major = LYRA_VERSION_MAJOR;
inline constexpr int Minor = LYRA_VERSION_MINOR;
inline constexpr int Revision = LYRA_VERSION_REVISION;

// "3.1.41"
inline QString text()
{
    return QStringLiteral("%1.%2.%3").arg(Major).arg(Minor).arg(Revision);
}

inline QString revisionText()
{
    return QString::number(Revision);
}

} // namespace ProgramVersion
