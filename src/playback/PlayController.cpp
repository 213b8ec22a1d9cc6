#include "playback/PlayController.h"

#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "playback/AbsentDrive.h"
#include "playback/MediaEngine.h"
#include "playback/PlayModes.h"
#include "playback/PlayQueue.h"
#include "playback/TrackLoudness.h"

namespace {

using enum PlayState::State;

MediaEngine &engine()
{
    return MediaEngine::instance();
}

bool modeOn(PlayModes::Mode mode)
{
    return PlayModes::instance().isOn(mode);
}

void followLoudnessSetting()
{
    using namespace RegistryModule;
    TrackLoudness::instance().setEnabled(GetRegString(HKEY_CURRENT_USER, SettingsKey, EvenLoudness) ==
                                         QStringLiteral("on"));
}

void putResumeTrack(const QString &text)
{
    using namespace RegistryModule;
    SetRegString(HKEY_CURRENT_USER, SettingsKey, ResumeTrack, text);
}

} // namespace

PlayController &PlayController::instance()
{
    static PlayController controller;
    return controller;
}

PlayController::PlayController()
{
    MediaEngine &media = engine();
    connect(&media, &MediaEngine::polled, this, [this] {
        if (trackOpen()) {
            emit polled(engine().polledMs(), engine().lengthMs());
        }
    });
    connect(&media, &MediaEngine::trackEnded, this, [this] {
        // A pause that came just after the stream ran out still holds.
        if (state_ == Playing) {
            endOfTrack();
        }
    });
    connect(&media, &MediaEngine::outputLost, this, [this] {
        holdTrackForNextClick();
        countRest();
    });
    connect(&media, &MediaEngine::endNoticed, this, [this] {
        if (state_ == Playing) {
            emit endNoticed();
        }
    });
}

void PlayController::setQueue(PlayQueue *queue, const PlayQueue *was)
{
    if (was == nullptr || queue_ == was) {
        queue_ = queue;
    }
}

void PlayController::beginRun()
{
    using namespace RegistryModule;
    state_ = Stopped;
    openedSinceRenewal_ = true;
    resumePoint_ = ResumePoint::fromText(GetRegString(HKEY_CURRENT_USER, SettingsKey, ResumeTrack));
    followLoudnessSetting();
}

void PlayController::openAhead(const PlayQueue &queue)
{
    const QString next = queue.head();
    if (trackOpen() || next.isEmpty() || lookAtQueuedFile(next) != QueuedFile::Playable) {
        return;
    }
    followLoudnessSetting();
    // A gain still being measured is not waited for here: the open waits, and opens
    // again at the gain it gets.
    engine().openAhead(next, TrackLoudness::instance().gainFor(next, std::chrono::milliseconds(0)));
}

void PlayController::endRun()
{
    keepInterruptedTrack();
    if (trackOpen()) {
        engine().stop();
    }
    state_ = Stopped;
    publish();
}

std::uint8_t PlayController::PlayCommand() const
{
    return state_ == Playing ? 2 : state_ == Paused ? 3 : 1;
}

void PlayController::playOrPause()
{
    dispatch(false);
    publish();
}

void PlayController::stop()
{
    emit statusShown(Status::Wait);
    stopTrack();
    countRest();
    publish();
}

void PlayController::playOrStop()
{
    trackOpen() ? stop() : playOrPause();
}

void PlayController::next()
{
    if (trackOpen()) {
        stopTrack();
    }
    dispatch(false);
    publish();
}

void PlayController::tick()
{
    // The poll's signals carry the position, the end of a track and a lost output.
    engine().poll();
    publish();
}

void PlayController::dispatch(bool byItself)
{
    emit statusShown(Status::Wait);
    switch (state_) {
    case Stopped:
        if (!playNextFile(byItself)) {
            return;
        }
        break;
    case Playing:
        engine().pause();
        state_ = Paused;
        emit statusShown(Status::Stop);
        break;
    case Paused:
        engine().resume();
        state_ = Playing;
        emit statusShown(Status::Play);
        break;
    }
    countRest();
}

// Takes files from the head of the queue until one starts. Missing files are
// dropped in a loop, so a long run of them cannot exhaust the stack; a file on
// a drive that is away stops the player with the queue as it is.
bool PlayController::playNextFile(bool byItself)
{
    if (queue_ == nullptr) {
        return false;
    }
    bool renewed = false;
    for (;;) {
        const QString next = queue_->head();
        if (next.isEmpty()) {
            if (!renewOnce(byItself, renewed)) {
                return false;
            }
            continue;
        }
        switch (lookAtQueuedFile(next)) {
        case QueuedFile::Playable:
            startTrack(next);
            return true;
        case QueuedFile::DriveAway:
            emit statusShown(Status::Stop);
            emit waitingForDrive(folderOf(next));
            return false;
        case QueuedFile::Gone:
            // The status still reads "Wait." while the next file is tried.
            queue_->dropHead();
            break;
        }
    }
}

// A renewal that brought nothing playable last time is not repeated by itself:
// the player stops instead of cycling for ever.
bool PlayController::renewOnce(bool byItself, bool &renewed)
{
    emit statusShown(Status::Stop);
    if (renewed || (byItself && !openedSinceRenewal_)) {
        return false;
    }
    queue_->renew();
    renewed = true;
    openedSinceRenewal_ = false;
    if (queue_->head().isEmpty()) {
        // A first start has no play folder: a click that finds nothing shows the way.
        if (!byItself && !queue_->hasFolders()) {
            emit noFolders();
        }
        return false;
    }
    emit statusShown(Status::Wait);
    return true;
}

void PlayController::startTrack(const QString &path)
{
    MusicFileName_ = path;
    queue_->dropHead();
    TrackLoudness &loudness = TrackLoudness::instance();
    const MediaEngine::Opened track = engine().open(path, loudness.gainFor(path));
    // Measured while this one plays, so that it starts at its gain.
    loudness.measureAhead(queue_->head());
    if (track.outputLost) {
        holdTrackForNextClick();
        return;
    }
    if (!track.opened) {
        emit decoderMissing(path, track.missingDecoders);
    }
    // A track of no length ends at once: for the renewal guard it did not open.
    if (track.opened && track.lengthMs.value_or(0) > 0) {
        openedSinceRenewal_ = true;
    }
    if (track.opened) {
        resumeIfInterrupted(path);
    }
    engine().play();
    state_ = Playing;
    emit trackStarted(path, track.lengthMs);
    emit statusShown(Status::Play);
}

void PlayController::measureNext()
{
    if (queue_ != nullptr) {
        TrackLoudness::instance().measureAhead(queue_->head());
    }
}

void PlayController::stopTrack()
{
    engine().stop();
    state_ = Stopped;
    emit stopped();
    emit statusShown(Status::Stop);
}

// The sound output failed: the track waits at the head of the queue for the next click.
void PlayController::holdTrackForNextClick()
{
    if (queue_ != nullptr) {
        queue_->pushFront(MusicFileName_);
    }
    stopTrack();
}

void PlayController::endOfTrack()
{
    if (repeatTrack()) {
        return;
    }
    stopTrack();
    countRest();
    if (modeOn(PlayModes::Mode::ThisMusicExit)) {
        emit closeRequested();
        return;
    }
    if (sys().PlayEndStop && (queue_ == nullptr || queue_->head().isEmpty())) {
        return;
    }
    dispatch(true);
}

// The endless repeat wins over the one-time repeat, which is used up either way.
// A track that cannot start again (it never opened) is not repeated: it would
// end at every tick for ever.
bool PlayController::repeatTrack()
{
    using enum PlayModes::Mode;
    if (modeOn(AllMusicRepeat) && engine().restart()) {
        return true;
    }
    if (!modeOn(OneMusicRepeat)) {
        return false;
    }
    const bool restarted = !modeOn(AllMusicRepeat) && engine().restart();
    PlayModes::instance().set(OneMusicRepeat, false);
    return restarted;
}

// The first time this run plays the track kept at the last exit, it starts there.
void PlayController::resumeIfInterrupted(const QString &path)
{
    if (!resumePoint_ || !sys().ListBackupOn || resumePoint_->path != path) {
        return;
    }
    engine().seekTo(resumePoint_->ms);
    resumePoint_.reset();
    putResumeTrack(QString());
}

// The open track goes back to the head of the backup list, and where it stopped
// is kept unless that is too near either end.
void PlayController::keepInterruptedTrack()
{
    if (!trackOpen() || !sys().ListBackupOn || queue_ == nullptr) {
        return;
    }
    queue_->pushFront(MusicFileName_);
    const auto position = engine().position();
    const auto length = engine().lengthMs();
    const auto kept = position && length ? ResumePoint::worthKeeping(*position, *length) : std::nullopt;
    putResumeTrack(kept ? ResumePoint::toText({MusicFileName_, *kept}) : QString());
}

void PlayController::countRest()
{
    if (queue_ != nullptr) {
        emit restCounted(queue_->count());
    }
}

void PlayController::publish()
{
    PlayState::instance().set(state_, MusicFileName_);
}
