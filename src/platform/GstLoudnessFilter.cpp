#include "platform/GstLoudnessFilter.h"

#include "platform/GstGainTags.h"

#include <gst/gst.h>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// The volume element's own ceiling (+20 dB).
constexpr double kMostFactor = 10.0;

double factor(double gainDb)
{
    return std::clamp(std::pow(10.0, gainDb / 20.0), 0.0, kMostFactor);
}

// Tags come before the first samples, so the tagged gain holds from the start.
GstPadProbeReturn takeTaggedGain(GstPad *, GstPadProbeInfo *info, gpointer volume)
{
    GstEvent *event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) == GST_EVENT_TAG) {
        GstTagList *tags = nullptr;
        gst_event_parse_tag(event, &tags);
        if (const auto gain = tagGainDb(tags)) {
            g_object_set(volume, "volume", factor(*gain), nullptr);
        }
    }
    return GST_PAD_PROBE_OK;
}

} // namespace

GstPad *ghostPad(GstElement *element, const char *name)
{
    GstPad *inner = gst_element_get_static_pad(element, name);
    GstPad *outer = gst_ghost_pad_new(name, inner);
    gst_object_unref(inner);
    return outer;
}

GstElement *makeLoudnessFilter(double gainDb)
{
    GstElement *in = gst_element_factory_make("audioconvert", nullptr);
    GstElement *volume = gst_element_factory_make("volume", nullptr);
    GstElement *limiter = gst_element_factory_make("rglimiter", nullptr);
    GstElement *out = gst_element_factory_make("audioconvert", nullptr);
    if (!in || !volume || !limiter || !out) {
        for (GstElement *element : {in, volume, limiter, out}) {
            if (element) {
                gst_object_unref(gst_object_ref_sink(element));
            }
        }
        return nullptr;
    }
    g_object_set(volume, "volume", factor(gainDb), nullptr);
    GstElement *bin = gst_bin_new("loudness");
    gst_bin_add_many(GST_BIN(bin), in, volume, limiter, out, nullptr);
    gst_element_link_many(in, volume, limiter, out, nullptr);
    GstPad *sink = ghostPad(in, "sink");
    gst_pad_add_probe(sink, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, takeTaggedGain, volume, nullptr);
    gst_element_add_pad(bin, sink);
    gst_element_add_pad(bin, ghostPad(out, "src"));
    return bin;
}

} // namespace platform
