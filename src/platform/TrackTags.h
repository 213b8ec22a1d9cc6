#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// What a file's own tags say of it; anything missing is empty or 0.
struct TrackTags {
    QString title;
    QStringList artists;
    QString album;
    int trackNumber = 0;
    QByteArray cover;     // the embedded front cover (or the first picture), as stored
    QByteArray coverType; // its MIME type: "image/jpeg", "image/png"

    bool operator==(const TrackTags &) const = default;
};

// Reads the tags with GStreamer's discoverer. Blocks for up to a couple of
// seconds: call it on a helper, never on the window thread.
TrackTags readTrackTags(const QString &path);

} // namespace platform
