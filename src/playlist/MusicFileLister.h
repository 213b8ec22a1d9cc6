#pragma once

#include "playlist/FilePattern.h"

#include <QString>
#include <QStringList>

// Appends the names of the ordinary, non-hidden files of one folder that match the pattern,
// in the order the file system gives them. Subfolders, names beginning with "."
// and names that are not valid UTF-8 (they could not be opened again by the
// path built from them) are left out. Each name is appended after `prefix`
// (the folder path, when full paths are wanted). Returns false, listing
// nothing, when the folder is missing or cannot be read.
bool listMusicFiles(const QString &folder, const FilePattern &pattern, QStringList &names,
                    const QString &prefix = {});
