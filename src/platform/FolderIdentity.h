#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <compare>
#include <optional>

// What a folder is, whatever it is called: a link to it, a bind mount of it and
// its path with or without a final "/" all give the same identity.
namespace platform {

struct FolderIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    auto operator<=>(const FolderIdentity &) const = default;
};

// Nothing when the path is no folder that can be looked at. Blocks as long as
// its volume does.
std::optional<FolderIdentity> folderIdentity(const QString &path);

// Looks at the paths on helpers, one per volume, and waits at most timeoutMs in
// all: a volume that does not answer cannot freeze a window. The paths not looked
// at by then, and those of a volume that still has a look out, stay unknown.
QList<std::optional<FolderIdentity>> folderIdentities(const QStringList &paths, int timeoutMs = 1000);

} // namespace platform
