#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Cover pictures for the desktop: one beside the track, or the track's own
// picture written once into the user's cache.
namespace CoverFiles {

// At most this many pictures stay in the cache; the least recently used go first.
inline constexpr int MaxCachedCovers = 200;

// The picture among a folder's file names that stands for its tracks: cover.*
// before folder.*, as JPEG or PNG, whatever the case; empty when none is there.
QString folderCoverName(const QStringList &names);

// The cache's file name for a picture: a hash of its bytes and the extension
// of its type (JPEG and PNG, known by type or by their first bytes). Empty for
// any other picture.
QString cachedCoverName(const QByteArray &bytes, const QByteArray &mimeType);

// ~/.cache/lyrabox3/covers/ (XDG), ending in "/".
QString coverCacheDir();

// The picture's file in the cache, written there if it is not yet; empty when
// it cannot be. Trims the cache to MaxCachedCovers.
QString storeCover(const QByteArray &bytes, const QByteArray &mimeType);

} // namespace CoverFiles
