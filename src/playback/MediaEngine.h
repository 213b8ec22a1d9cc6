#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

// The media channel in the player's own terms: a file opens, plays, pauses,
// seeks, stops and tells where it is. Nothing else writes or reads the
// channel's command strings and replies.
class MediaEngine : public QObject {
    Q_OBJECT
public:
    struct Opened {
        // The device took the file; a file it did not take still counts as open,
        // and ends at the first poll.
        bool opened = false;
        std::optional<qint64> lengthMs;
        // The sound output failed, not the file: nothing was opened.
        bool outputLost = false;
        // What the device missed when the file failed for want of a decoder.
        QStringList missingDecoders;
    };

    static MediaEngine &instance();

    // With a gain (dB), the track plays at even loudness; see TrackLoudness.
    Opened open(const QString &path, std::optional<double> loudnessGainDb = std::nullopt);
    // Starts opening a file that an open is about to ask for, so that it is under way
    // when asked; nothing is read back. An open of anything else drops it.
    void openAhead(const QString &path, std::optional<double> loudnessGainDb);
    void play();
    void pause();
    void resume();
    // Stops and closes the open track.
    void stop();
    // Plays the open track again from its start; false when it cannot start
    // again (it never opened).
    bool restart();
    void seekTo(qint64 ms);

    // Asks where the open track is; the answer stands until the next poll. Emits
    // polled, then trackEnded when it stands at the length; or outputLost.
    void poll();
    // Where the last poll found the track, and its length.
    std::optional<qint64> polledMs() const;
    std::optional<qint64> lengthMs() const;
    // Asks where the track is now without touching what the last poll found.
    std::optional<qint64> position() const;

signals:
    void polled();
    void trackEnded();
    void outputLost();
    // The device saw a stream end; a poll soon tells whether the track did.
    void endNoticed();

private:
    MediaEngine();
    int send(const QString &command);
    int status(const QString &what, QByteArray &reply) const;

    // The last status reply and the length reply, as the device wrote them: a
    // track ends when the two texts are equal.
    QByteArray MciReply = QByteArray(16, '\0');
    QByteArray MusicLength = QByteArray(16, '\0');
    int MciResult = 0;
};
