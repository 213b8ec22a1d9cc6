#include "platform/GstGainTags.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

constexpr double kR128ReferenceLufs = -23.0;
// Beyond this a tag is damaged rather than a real track's gain.
constexpr double kSaneGainDb = 60.0;

std::optional<double> sane(double db)
{
    return std::isfinite(db) && std::fabs(db) <= kSaneGainDb ? std::optional<double>(db) : std::nullopt;
}

// "R128_TRACK_GAIN=-1280": a signed 16-bit count of 1/256 dB.
std::optional<double> r128Gain(const gchar *comment)
{
    static constexpr char kKey[] = "R128_TRACK_GAIN=";
    if (g_ascii_strncasecmp(comment, kKey, sizeof kKey - 1) != 0) {
        return std::nullopt;
    }
    const char *digits = comment + sizeof kKey - 1;
    const char *end = digits + std::strlen(digits);
    int q78 = 0;
    const auto [rest, error] = std::from_chars(digits, end, q78);
    if (error != std::errc() || rest != end || q78 < -32768 || q78 > 32767) {
        return std::nullopt;
    }
    return q78 / 256.0 + (kLoudnessTargetLufs - kR128ReferenceLufs);
}

} // namespace

std::optional<double> tagGainDb(const GstTagList *tags)
{
    if (!tags) {
        return std::nullopt;
    }
    gdouble replayGain = 0;
    if (gst_tag_list_get_double(tags, GST_TAG_TRACK_GAIN, &replayGain)) {
        return sane(replayGain);
    }
    const guint comments = gst_tag_list_get_tag_size(tags, GST_TAG_EXTENDED_COMMENT);
    for (guint i = 0; i < comments; ++i) {
        const gchar *comment = nullptr;
        if (gst_tag_list_peek_string_index(tags, GST_TAG_EXTENDED_COMMENT, i, &comment) && comment) {
            if (const auto gain = r128Gain(comment)) {
                return sane(*gain);
            }
        }
    }
    return std::nullopt;
}

} // namespace platform
