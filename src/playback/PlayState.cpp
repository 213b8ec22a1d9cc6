#include "playback/PlayState.h"

PlayState &PlayState::instance()
{
    static PlayState state;
    return state;
}

void PlayState::set(State state, const QString &track)
{
    state_ = state;
    track_ = state == State::Stopped ? QString() : track;
    if (holds_ == 0) {
        announce();
    }
}

void PlayState::announce()
{
    if (state_ == announcedState_ && track_ == announcedTrack_) {
        return;
    }
    announcedState_ = state_;
    announcedTrack_ = track_;
    emit changed();
}

PlayState::Hold::Hold()
{
    ++instance().holds_;
}

PlayState::Hold::~Hold()
{
    PlayState &state = instance();
    if (--state.holds_ == 0) {
        state.announce();
    }
}
