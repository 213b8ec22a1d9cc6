#include "playback/PlayModes.h"

PlayModes &PlayModes::instance()
{
    static PlayModes modes;
    return modes;
}

bool PlayModes::isOn(Mode mode) const
{
    return on_[int(mode)];
}

void PlayModes::set(Mode mode, bool on)
{
    if (std::exchange(on_[int(mode)], on) != on) {
        emit changed(mode, on);
    }
}
