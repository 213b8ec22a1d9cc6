#include "playback/TrackDetails.h"

#include "platform/TrackTags.h"
#include "playback/CoverFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString folderCover(const QString &trackPath)
{
    const QDir folder = QFileInfo(trackPath).dir();
    const QString name = CoverFiles::folderCoverName(folder.entryList(QDir::Files | QDir::Readable));
    return name.isEmpty() ? QString() : folder.filePath(name);
}

} // namespace

TrackDetails readTrackDetails(const QString &path)
{
    const platform::TrackTags tags = platform::readTrackTags(path);
    TrackDetails details{tags.title, tags.artists, tags.album, tags.trackNumber, {}};
    details.artPath = CoverFiles::storeCover(tags.cover, tags.coverType);
    if (details.artPath.isEmpty()) {
        details.artPath = folderCover(path);
    }
    return details;
}
