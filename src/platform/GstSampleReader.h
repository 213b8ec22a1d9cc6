#pragma once

#include <QByteArray>

#include <cstddef>
#include <functional>
#include <optional>

namespace platform {

struct SampleRead {
    // The file decoded to its end (or its gain tag was found).
    bool complete = false;
    // Its own gain towards the loudness target, when it is tagged; reading stops there.
    std::optional<double> tagGainDb;
};

// Interleaved float samples, and their rate and channels; false stops the reading.
using SampleBlock = std::function<bool(const float *samples, std::size_t frames, int rate, int channels)>;

// Decodes the file (named by its bytes) as fast as the idle cores allow: every
// GStreamer thread of the reading runs at idle priority, and so should the
// caller's, which receives the samples.
SampleRead readSamples(const QByteArray &fileName, const SampleBlock &block);

} // namespace platform
