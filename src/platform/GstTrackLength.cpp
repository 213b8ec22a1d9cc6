#include "platform/GstTrackLength.h"

#include "platform/GstPlaybin.h"

#include <gst/pbutils/pbutils.h>

#include <algorithm>

namespace platform {
namespace {

constexpr GstClockTime kDiscoverWait = 2 * GST_SECOND;
// Used to estimate a length from the file size when the stream names no bit rate.
constexpr qint64 kFallbackBitrate = 128000;

qint64 queriedLengthMs(GstElement *pipeline)
{
    gint64 duration = -1;
    if (gst_element_query_duration(pipeline, GST_FORMAT_TIME, &duration) && duration > 0) {
        return duration / gint64(GST_MSECOND);
    }
    return -1;
}

// An MP3 without a Xing header reports no duration while paused; the discoverer
// estimates one, and the file size gives a last resort so that a length is never 0.
qint64 discoveredLengthMs(const gchar *uri, qint64 fileSize)
{
    qint64 lengthMs = -1;
    guint bitrate = 0;
    GError *error = nullptr;
    if (GstDiscoverer *discoverer = gst_discoverer_new(kDiscoverWait, &error)) {
        if (GstDiscovererInfo *info = gst_discoverer_discover_uri(discoverer, uri, &error)) {
            const GstClockTime duration = gst_discoverer_info_get_duration(info);
            if (GST_CLOCK_TIME_IS_VALID(duration) && duration >= GST_MSECOND) {
                lengthMs = qint64(duration / GST_MSECOND);
            }
            GList *streams = gst_discoverer_info_get_audio_streams(info);
            for (GList *s = streams; s && bitrate == 0; s = s->next) {
                auto *audio = GST_DISCOVERER_AUDIO_INFO(s->data);
                bitrate = gst_discoverer_audio_info_get_bitrate(audio);
                if (bitrate == 0) {
                    bitrate = gst_discoverer_audio_info_get_max_bitrate(audio);
                }
            }
            gst_discoverer_stream_info_list_free(streams);
            gst_discoverer_info_unref(info);
        }
        g_object_unref(discoverer);
    }
    if (error) {
        qCDebug(lcMedia) << "discoverer:" << error->message;
        g_clear_error(&error);
    }
    if (lengthMs > 0) {
        return lengthMs;
    }
    return std::max<qint64>(1, fileSize * 8 * 1000 / (bitrate > 0 ? qint64(bitrate) : kFallbackBitrate));
}

} // namespace

qint64 trackLengthMs(GstElement *pipeline, const gchar *uri, qint64 fileSize)
{
    const qint64 lengthMs = queriedLengthMs(pipeline);
    return std::max<qint64>(1, lengthMs > 0 ? lengthMs : discoveredLengthMs(uri, fileSize));
}

} // namespace platform
