#pragma once

#include <QString>

// How the paths of a platform are spelled: the separator and the length of the
// root part ("C:\" is three characters, "/" one).
struct PathConvention {
    QChar separator;
    qsizetype rootLength;
};

inline constexpr PathConvention WindowsPaths{u'\\', 3};
inline constexpr PathConvention LinuxPaths{u'/', 1};

// The short form a visible list shows for a full file path: the root, "...",
// the folder directly above the item and the item itself.
QString FileNameShortCut(const QString &s, PathConvention convention);
QString FileNameShortCut(const QString &s);

// Folder lists show the root unchanged and other folders in the short form of
// the path without its final separator.
QString FolderDisplayForm(const QString &folder, PathConvention convention);
QString FolderDisplayForm(const QString &folder);
