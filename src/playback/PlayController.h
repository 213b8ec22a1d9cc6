#pragma once

#include "playback/PlayState.h"
#include "playback/ResumePoint.h"

#include <QObject>
#include <QStringList>
#include <cstdint>
#include <optional>

class PlayQueue;

// Decides what plays: the next file of the queue, pause and resume, stop, the
// end of a track by the play modes, a drive that is away, a decoder that is
// missing, a sound output that failed, and where an interrupted track resumes.
// The only writer of PlayState; windows follow its signals.
class PlayController : public QObject {
    Q_OBJECT
public:
    // What the status label says.
    enum class Status { Wait, Play, Stop };

    static PlayController &instance();

    // The play list hands its queue over while it exists; `was` is taken back
    // only while it is still the one in use.
    void setQueue(PlayQueue *queue, const PlayQueue *was = nullptr);
    // A new run of the player: stopped, and the track kept at the last exit read.
    void beginRun();
    // The track that a play would start from this queue starts opening now, while the
    // windows load, if it is there to open.
    void openAhead(const PlayQueue &queue);
    // The end of the run: an open track is kept for the next run, then closed.
    void endRun();

    // The play button: plays the next file, pauses or resumes.
    void playOrPause();
    void stop();
    // Stops an open track, else plays; it never pauses.
    void playOrStop();
    // Ends the open track and plays the next, as the end of a track does.
    void next();
    // One poll of the open track.
    void tick();
    // Announces the files left in the queue.
    void countRest();
    // Has the next file's loudness measured now (the option was just turned on).
    void measureNext();

    PlayState::State state() const { return state_; }
    bool trackOpen() const { return state_ != PlayState::State::Stopped; }
    // The state as the dispatcher's command code: 1 stopped, 2 playing, 3 paused.
    std::uint8_t PlayCommand() const;
    // The full path of the track opened last.
    const QString &MusicFileName() const { return MusicFileName_; }

signals:
    void statusShown(PlayController::Status status);
    void trackStarted(const QString &path, std::optional<qint64> lengthMs);
    void stopped();
    // Files left in the queue, after every dispatch that did not give up early.
    void restCounted(qsizetype rest);
    // Where the open track stands after a poll.
    void polled(std::optional<qint64> positionMs, std::optional<qint64> lengthMs);
    // The queue stays empty and no play folder is registered.
    void noFolders();
    void waitingForDrive(const QString &folder);
    void decoderMissing(const QString &path, const QStringList &installerDetails);
    // The track ended with この曲で閉じる on.
    void closeRequested();
    // The stream may have ended while nobody polled.
    void endNoticed();

private:
    PlayController();
    void dispatch(bool byItself);
    bool playNextFile(bool byItself);
    bool renewOnce(bool byItself, bool &renewed);
    void startTrack(const QString &path);
    void stopTrack();
    void holdTrackForNextClick();
    void endOfTrack();
    bool repeatTrack();
    void resumeIfInterrupted(const QString &path);
    void keepInterruptedTrack();
    void publish();

    PlayQueue *queue_ = nullptr;
    PlayState::State state_ = PlayState::State::Stopped;
    // A track opened since the queue was last renewed: a queue where nothing
    // opens must not be renewed and retried for ever. True at start: no renewal
    // has failed yet, so the first end of the queue renews once.
    bool openedSinceRenewal_ = true;
    std::optional<ResumePoint::Point> resumePoint_;
    QString MusicFileName_;
};
