#pragma once

#include "playback/TrackDetails.h"

#include <QObject>
#include <memory>
#include <optional>

// Reads the details of every track the play control starts on a thread of its
// own, so a start never waits for tags or pictures; a folder that stops answering
// holds that thread and no other.
class TrackDetailsReader : public QObject {
    Q_OBJECT
public:
    static TrackDetailsReader &instance();
    ~TrackDetailsReader() override;

    // The details of the track last started, once read; nothing for another path.
    std::optional<TrackDetails> details(const QString &path) const;

signals:
    // Once per track start, when its details have been read (empty where the
    // file had none or did not answer).
    void detailsRead(const QString &path, const TrackDetails &details);

private:
    TrackDetailsReader();
    void trackStarted(const QString &path);
    void answer(quint64 request, const QString &path, const TrackDetails &details);

    struct Inbox;
    std::shared_ptr<Inbox> inbox_;
    quint64 request_ = 0;
    QString path_;
    std::optional<TrackDetails> details_;
};
