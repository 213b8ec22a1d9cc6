#include "playback/PlayState.h"

PlayState &PlayState::instance()
{
    static PlayState state;
    return state;
}

void PlayState::set(State state, const QString &track)
{
    const QString shown = state == State::Stopped ? QString() : track;
    if (state == state_ && shown == track_) {
        return;
    }
    state_ = state;
    track_ = shown;
    emit changed();
}
