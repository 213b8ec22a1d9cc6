#pragma once

#include <QString>
#include <QStringList>

// What the desktop shows of a track beside its file name.
struct TrackDetails {
    QString title;
    QStringList artists;
    QString album;
    int trackNumber = 0;
    QString artPath; // a picture file: the track's own cover in the cache, or one beside it

    bool operator==(const TrackDetails &) const = default;
};

// Reads the file's tags and finds its picture. Blocks on the file's volume: for
// a helper thread only.
TrackDetails readTrackDetails(const QString &path);
