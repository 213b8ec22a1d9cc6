#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// What the folder windows list of one folder. Hidden names (beginning with ".")
// are never listed; names are decoded so that any bytes survive (FileNameCodec).
namespace FolderContents {

// The wildcards of every file group (PlayFilePattern), whatever the settings
// switch on; case does not matter.
bool isPlayableName(QByteArrayView name);

// Subfolders (links to folders included), sorted. False when the folder cannot be read.
bool subfolders(const QString &folder, QStringList &names);
// Ordinary files matching the fixed pattern, sorted. False when the folder cannot be read.
bool playableFiles(const QString &folder, QStringList &names);

struct Summary {
    qint64 files = 0;
    qint64 bytes = 0;
};
Summary summarize(const QString &folder);

} // namespace FolderContents
