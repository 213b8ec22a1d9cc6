#include "playback/LoudnessMeter.h"

#include "platform/GstGainTags.h"
#include "platform/GstSampleReader.h"

#include <ebur128.h>

#include <cmath>
#include <memory>

namespace {

struct MeterDeleter {
    void operator()(ebur128_state *state) const { ebur128_destroy(&state); }
};
using Meter = std::unique_ptr<ebur128_state, MeterDeleter>;

} // namespace

std::optional<double> measureGainDb(const QByteArray &fileName)
{
    Meter meter;
    const platform::SampleRead read = platform::readSamples(
        fileName, [&meter](const float *samples, std::size_t frames, int rate, int channels) {
            // A stream whose format changes midway is not measured.
            if (meter && (meter->samplerate != unsigned(rate) || meter->channels != unsigned(channels))) {
                return false;
            }
            if (!meter) {
                meter.reset(ebur128_init(unsigned(channels), unsigned(rate), EBUR128_MODE_I));
            }
            return meter && ebur128_add_frames_float(meter.get(), samples, frames) == EBUR128_SUCCESS;
        });
    if (read.tagGainDb) {
        return read.tagGainDb;
    }
    double lufs = -HUGE_VAL;
    if (!read.complete || !meter || ebur128_loudness_global(meter.get(), &lufs) != EBUR128_SUCCESS ||
        !std::isfinite(lufs)) {
        return std::nullopt;
    }
    return platform::kLoudnessTargetLufs - lufs;
}
