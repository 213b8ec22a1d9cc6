#include "platform/GstTrackLength.h"

#include "platform/GstPlaybin.h"
#include "platform/Mp3Length.h"

#include <gst/pbutils/pbutils.h>

#include <QByteArray>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

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

// A stream that reports no duration while paused and is not MPEG audio: the discoverer
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

QByteArray readAt(int fd, qint64 offset, qsizetype count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    const ssize_t got = ::pread(fd, bytes.data(), size_t(count), offset);
    bytes.resize(got > 0 ? qsizetype(got) : 0);
    return bytes;
}

// An MP3 is measured from its frames: the discoverer would build and run a second
// pipeline between the preroll and the play, and the sound server plays that wait as
// silence before the track; its estimate also varies. A constant bitrate needs the
// first frames only; otherwise the frames' headers are walked, up to a bound that a
// slow share can afford.
std::optional<qint64> headerLengthMs(const QByteArray &fileName, qint64 fileSize)
{
    constexpr qsizetype kFramesRead = 64 * 1024;
    constexpr qint64 kWalkLimit = 2 * 1024 * 1024;
    const int fd = ::open(fileName.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    const qint64 start = id3v2Size(readAt(fd, 0, 10));
    std::optional<qint64> lengthMs =
        constantBitrateLengthMs(readAt(fd, start, kFramesRead), fileSize - start);
    if (!lengthMs) {
        const auto read = [fd, start](qint64 offset, qsizetype count) {
            return readAt(fd, start + offset, count);
        };
        lengthMs = walkedLengthMs(read, fileSize - start, kWalkLimit);
    }
    ::close(fd);
    return lengthMs;
}

} // namespace

qint64 trackLengthMs(GstElement *pipeline, const QByteArray &fileName, const gchar *uri, qint64 fileSize)
{
    qint64 lengthMs = queriedLengthMs(pipeline);
    if (lengthMs <= 0) {
        lengthMs = headerLengthMs(fileName, fileSize).value_or(0);
    }
    return std::max<qint64>(1, lengthMs > 0 ? lengthMs : discoveredLengthMs(uri, fileSize));
}

} // namespace platform
