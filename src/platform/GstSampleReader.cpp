#include "platform/GstSampleReader.h"

#include "platform/GstGainTags.h"
#include "platform/GstPlaybin.h"
#include "platform/IdlePriority.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <atomic>
#include <memory>

namespace platform {
namespace {

// A file that produces nothing for this long is given up.
constexpr GstClockTime kSampleWait = 30 * GST_SECOND;
constexpr GstClockTime kPullStep = 100 * GST_MSECOND;

struct TagWatch {
    std::atomic<bool> found{false};
    double gainDb = 0;
};

GstPadProbeReturn watchTags(GstPad *, GstPadProbeInfo *info, gpointer data)
{
    auto *watch = static_cast<TagWatch *>(data);
    GstEvent *event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) == GST_EVENT_TAG && !watch->found) {
        GstTagList *tags = nullptr;
        gst_event_parse_tag(event, &tags);
        if (const auto gain = tagGainDb(tags)) {
            watch->gainDb = *gain;
            watch->found = true;
        }
    }
    return GST_PAD_PROBE_OK;
}

// Streaming threads get their pool as they are made, before they run. Only errors
// are kept: nobody reads the rest, which would pile up over a long file.
GstBusSyncReply idleThreads(GstBus *, GstMessage *message, gpointer)
{
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_STREAM_STATUS) {
        GstStreamStatusType type{};
        gst_message_parse_stream_status(message, &type, nullptr);
        const GValue *value = gst_message_get_stream_status_object(message);
        if (type == GST_STREAM_STATUS_TYPE_CREATE && value && G_VALUE_HOLDS_OBJECT(value) &&
            GST_IS_TASK(g_value_get_object(value))) {
            gst_task_set_pool(GST_TASK(g_value_get_object(value)), idleTaskPool());
        }
    }
    return GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR ? GST_BUS_PASS : GST_BUS_DROP;
}

struct PipelineDeleter {
    void operator()(GstElement *pipeline) const
    {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
};

GstElement *makeReader(const QByteArray &fileName)
{
    GError *error = nullptr;
    GstElement *pipeline =
        gst_parse_launch("filesrc name=in ! decodebin ! audioconvert ! "
                         "appsink name=out sync=false caps=audio/x-raw,format=F32LE,layout=interleaved",
                         &error);
    if (error) {
        g_clear_error(&error);
        g_clear_pointer(&pipeline, gst_object_unref);
        return nullptr;
    }
    GstElement *in = gst_bin_get_by_name(GST_BIN(pipeline), "in");
    g_object_set(in, "location", fileName.constData(), nullptr);
    gst_object_unref(in);
    GstBus *bus = gst_element_get_bus(pipeline);
    gst_bus_set_sync_handler(bus, idleThreads, nullptr, nullptr);
    gst_object_unref(bus);
    return pipeline;
}

bool passOn(GstSample *sample, const SampleBlock &block)
{
    GstStructure *format = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
    int rate = 0;
    int channels = 0;
    gst_structure_get_int(format, "rate", &rate);
    gst_structure_get_int(format, "channels", &channels);
    GstMapInfo map{};
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    if (rate <= 0 || channels <= 0 || !gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        return false;
    }
    const std::size_t frames = map.size / (sizeof(float) * std::size_t(channels));
    const bool more = block(reinterpret_cast<const float *>(map.data), frames, rate, channels);
    gst_buffer_unmap(buffer, &map);
    return more;
}

// An empty or unknown file fails its state change, which says nothing on the bus.
bool failed(GstElement *pipeline)
{
    if (gst_element_get_state(pipeline, nullptr, nullptr, 0) == GST_STATE_CHANGE_FAILURE) {
        return true;
    }
    GstBus *bus = gst_element_get_bus(pipeline);
    GstMessage *error = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    g_clear_pointer(&error, gst_message_unref);
    return error != nullptr;
}

} // namespace

SampleRead readSamples(const QByteArray &fileName, const SampleBlock &block)
{
    SampleRead read;
    if (!gstReady()) {
        return read;
    }
    // Outlives the pipeline, whose threads may still look at it while it stops.
    TagWatch tags;
    const std::unique_ptr<GstElement, PipelineDeleter> pipeline(makeReader(fileName));
    if (!pipeline) {
        return read;
    }
    GstElement *out = gst_bin_get_by_name(GST_BIN(pipeline.get()), "out");
    GstPad *pad = gst_element_get_static_pad(out, "sink");
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, watchTags, &tags, nullptr);
    gst_object_unref(pad);
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    GstClockTime idle = 0;
    for (bool more = true; more && idle < kSampleWait && !failed(pipeline.get());) {
        GstSample *sample = gst_app_sink_try_pull_sample(GST_APP_SINK(out), kPullStep);
        if (tags.found) {
            read.tagGainDb = tags.gainDb;
            read.complete = true;
            g_clear_pointer(&sample, gst_sample_unref);
            break;
        }
        if (!sample) {
            if (gst_app_sink_is_eos(GST_APP_SINK(out))) {
                read.complete = true;
                break;
            }
            idle += kPullStep;
            continue;
        }
        idle = 0;
        more = passOn(sample, block);
        gst_sample_unref(sample);
    }
    gst_object_unref(out);
    return read;
}

} // namespace platform
