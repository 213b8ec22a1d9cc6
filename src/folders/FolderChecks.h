#pragma once

#include "platform/FolderIdentity.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace FolderChecks {

// A folder whose path holds CR or LF cannot be one line of a folder list file.
bool hasLineEnd(const QString &folder);
// Says why such folders are not taken (one message for all of them).
void refuseLineEnds(QWidget *parent, const QStringList &folders);

// Which entry of a folder list names the same folder as a path: the same device
// and inode where both can be looked at, else the same text, a final "/" aside.
// The entries are looked at once, when it is made.
class SameFolder {
public:
    explicit SameFolder(const QStringList &folders);
    qsizetype indexOf(const QString &path) const;
    bool contains(const QString &path) const { return indexOf(path) >= 0; }
    void append(const QString &path);
    // With the path's identity looked up already, for many paths in one look.
    qsizetype indexOf(const QString &path, const std::optional<platform::FolderIdentity> &id) const;
    void append(const QString &path, const std::optional<platform::FolderIdentity> &id);

private:
    QStringList folders_;
    QList<std::optional<platform::FolderIdentity>> ids_;
};

} // namespace FolderChecks
