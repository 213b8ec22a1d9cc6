#pragma once

#include "platform/GstMediaDevice.h"

// The sound output failed, not the file: the track is not to blame and the
// files after it would fail the same way.
inline bool soundOutputLost(int mciResult)
{
    return mciResult == platform::MciHardware;
}
