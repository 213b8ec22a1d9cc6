#pragma once

#include <gst/gst.h>

#include <optional>

namespace platform {

// Every track is brought to this integrated loudness (EBU R 128), the reference
// level of ReplayGain 2.0, so a ReplayGain track gain applies unchanged.
inline constexpr double kLoudnessTargetLufs = -18.0;

// The gain (dB) that brings the stream to the target, from its own tags: the
// ReplayGain track gain, else Opus's R128_TRACK_GAIN (Q7.8 dB towards -23 LUFS,
// on top of the header's output gain, which opusdec applies already).
std::optional<double> tagGainDb(const GstTagList *tags);

} // namespace platform
