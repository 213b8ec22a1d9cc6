#pragma once

#include "playlist/FilePattern.h"
#include "playlist/PathStore.h"

#include <QString>

// Appends the names of the ordinary, non-hidden files of one folder that match the pattern,
// in the order the file system gives them. Subfolders, names beginning with "."
// and names with a line end are left out; a name that is not valid UTF-8 is
// carried byte for byte (see platform/FileNameCodec). Each name is appended after `prefix`
// (the folder path, when full paths are wanted). Returns false, listing
// nothing, when the folder is missing or cannot be read.
bool listMusicFiles(const QString &folder, const FilePattern &pattern, PathStore &names,
                    const QString &prefix = {});
