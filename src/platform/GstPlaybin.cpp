#include "platform/GstPlaybin.h"

#include "platform/GstAudioFeatures.h"
#include "platform/GstLoudnessFilter.h"
#include "platform/MediaDevice.h"

#include <QLoggingCategory>

#include <atomic>
#include <cstring>

namespace platform {

Q_LOGGING_CATEGORY(lcMedia, "lyrabox.media", QtWarningMsg)

namespace {

// The sound server is asked for this much audio ahead: a large buffer wakes the
// player's threads far less often, and pause and stop cork the stream at once anyway
// (the player has no volume of its own that would lag behind by the buffer).
constexpr gint64 kSinkBufferUs = 1000000;
// ... and asks for more in pieces this large: the decoding threads wake once for
// each, not once for every 10 ms the server plays.
constexpr gint64 kSinkSegmentUs = 200000;

// The decoders' pieces are short (an MP3 frame is 26 ms), and a sink that keeps time
// waits on the clock for each piece it gets: joined into pieces as long as the sound
// server's, the streaming threads wake once for each of those.
constexpr const char *kPieceSeconds = "1/5";

std::atomic<bool> audioOnly = false;
std::atomic<bool> started = false;

// GstPlayFlags of playbin: audio with software volume, no video or subtitle window.
constexpr guint kPlayFlagAudio = 1u << 1;
constexpr guint kPlayFlagSoftVolume = 1u << 4;

// mpg123 and libav decode MP3 alike, but libav brings in libavcodec, libavfilter and
// their many libraries (tens of MB mapped, slower to start): prefer mpg123 where
// both are installed. WMA still needs libav.
void preferLeanDecoders()
{
    GstRegistry *registry = gst_registry_get();
    if (GstPluginFeature *mpg123 = gst_registry_lookup_feature(registry, "mpg123audiodec")) {
        gst_plugin_feature_set_rank(mpg123, GST_RANK_PRIMARY);
        gst_object_unref(mpg123);
    }
}

// One element, with properties written as for gst-launch-1.0 ("filesink location=x").
GstElement *namedSink(const QByteArray &description)
{
    GError *error = nullptr;
    GstElement *sink = gst_parse_launch(description.constData(), &error);
    if (error) {
        g_clear_error(&error);
        g_clear_pointer(&sink, gst_object_unref);
    }
    if (sink && GST_IS_PIPELINE(sink)) {
        g_clear_pointer(&sink, gst_object_unref);
    }
    return sink;
}

GstElement *makeAudioSink()
{
    const QByteArray name = qgetenv("LYRABOX_AUDIO_SINK").trimmed();
    GstElement *sink = nullptr;
    if (!name.isEmpty()) {
        sink = namedSink(name);
        if (!sink) {
            qCWarning(lcMedia) << "no audio sink" << name << "- using the desktop's";
        }
    }
    if (!sink) {
        sink = gst_element_factory_make("autoaudiosink", nullptr);
    }
    // A fake sink would otherwise run as fast as it can and end every track at once.
    if (sink && g_object_class_find_property(G_OBJECT_GET_CLASS(sink), "sync")) {
        g_object_set(sink, "sync", TRUE, nullptr);
    }
    return sink;
}

bool elementReachesSink(GstElement *element, int depth);

// Whether data pushed on pad would arrive at a sink: through ghost pads, and through
// elements by any of their source pads.
bool reachesSink(GstPad *pad, int depth)
{
    if (depth > 32) {
        return true;
    }
    GstPad *peer = gst_pad_get_peer(pad);
    if (!peer) {
        return false;
    }
    bool reaches = false;
    if (GST_IS_PROXY_PAD(peer)) {
        // A ghost pad leads inside its bin; the inner end of a ghost pad leads out to it.
        if (GstProxyPad *other = gst_proxy_pad_get_internal(GST_PROXY_PAD(peer))) {
            reaches = reachesSink(GST_PAD(other), depth + 1);
            gst_object_unref(other);
        }
    } else if (GstElement *element = gst_pad_get_parent_element(peer)) {
        reaches = elementReachesSink(element, depth + 1);
        gst_object_unref(element);
    }
    gst_object_unref(peer);
    return reaches;
}

bool elementReachesSink(GstElement *element, int depth)
{
    GST_OBJECT_LOCK(element);
    GList *sources = nullptr;
    for (GList *s = element->srcpads; s; s = s->next) {
        sources = g_list_prepend(sources, gst_object_ref(s->data));
    }
    GST_OBJECT_UNLOCK(element);
    bool reaches = sources == nullptr;
    for (GList *s = sources; s && !reaches; s = s->next) {
        reaches = reachesSink(GST_PAD(s->data), depth);
    }
    g_list_free_full(sources, gst_object_unref);
    return reaches;
}

// aiffparse (1.22) reads in its own thread and can push its first buffer before the
// plugging thread has linked the way out; decodebin swallows the not-linked error and
// the pipeline never prerolls. Hold that buffer until the way out is complete. Forcing
// push mode instead is worse: aiffparse then corrupts its adapter when stopped while
// streaming and spins. midiparse is built the same way, so it is held too.
GstPadProbeReturn holdUntilLinked(GstPad *pad, GstPadProbeInfo *, gpointer)
{
    for (int waitedMs = 0; waitedMs < 2000 && !GST_PAD_IS_FLUSHING(pad) && !reachesSink(pad, 0); ++waitedMs) {
        g_usleep(1000);
    }
    return GST_PAD_PROBE_REMOVE;
}

// Audio sinks (also the one autoaudiosink picks) get the large buffer before they
// first open the sound server.
void setSinkBuffer(GstElement *element)
{
    if (GST_OBJECT_FLAG_IS_SET(element, GST_ELEMENT_FLAG_SINK) &&
        g_object_class_find_property(G_OBJECT_GET_CLASS(element), "buffer-time")) {
        g_object_set(element, "buffer-time", kSinkBufferUs, nullptr);
        if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), "latency-time")) {
            g_object_set(element, "latency-time", kSinkSegmentUs, nullptr);
        }
    }
}

// Tells the program when a stream ends by itself, for a caller that has stopped polling.
GstBusSyncReply noticeEnd(GstBus *, GstMessage *message, gpointer)
{
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS || GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        postEndNotice();
    }
    return GST_BUS_PASS;
}

void onElementAdded(GstBin *, GstBin *, GstElement *element, gpointer)
{
    setSinkBuffer(element);
    GstElementFactory *factory = gst_element_get_factory(element);
    if (!factory) {
        return;
    }
    const char *name = GST_OBJECT_NAME(factory);
    if (std::strcmp(name, "aiffparse") != 0 && std::strcmp(name, "midiparse") != 0) {
        return;
    }
    if (GstPad *source = gst_element_get_static_pad(element, "src")) {
        gst_pad_add_probe(source, GST_PAD_PROBE_TYPE_BUFFER, holdUntilLinked, nullptr, nullptr);
        gst_object_unref(source);
    }
}

// The audio filter: longer pieces, then (if any) the given filter.
GstElement *afterJoiningPieces(GstElement *filter)
{
    GstElement *join = gst_element_factory_make("audiobuffersplit", nullptr);
    if (join == nullptr) {
        return filter;
    }
    gst_util_set_object_arg(G_OBJECT(join), "output-buffer-duration", kPieceSeconds);
    if (filter == nullptr) {
        return join;
    }
    GstElement *bin = gst_bin_new(nullptr);
    gst_bin_add_many(GST_BIN(bin), join, filter, nullptr);
    gst_element_link(join, filter);
    gst_element_add_pad(bin, ghostPad(join, "sink"));
    gst_element_add_pad(bin, ghostPad(filter, "src"));
    return bin;
}

// GStreamer's own start, then the program's choices in its registry.
bool startGstreamer()
{
    GError *error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error)) {
        qCWarning(lcMedia) << "GStreamer unavailable:" << (error ? error->message : "");
        g_clear_error(&error);
        return false;
    }
    preferLeanDecoders();
    if (audioOnly) {
        keepAudioFeaturesOnly();
    }
    return true;
}

} // namespace

bool gstReady()
{
    static const bool ready = [] {
        started = gst_is_initialized() || startGstreamer();
        return started.load();
    }();
    return ready;
}

bool gstStarted()
{
    return started;
}

void gstKeepAudioOnly()
{
    audioOnly = true;
}

GstElement *makePlaybin(const gchar *uri, std::optional<double> loudnessGainDb)
{
    GstElement *playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) {
        return nullptr;
    }
    g_object_set(playbin, "uri", uri, "flags", kPlayFlagAudio | kPlayFlagSoftVolume, nullptr);
    if (GstElement *sink = makeAudioSink()) {
        setSinkBuffer(sink);
        g_object_set(playbin, "audio-sink", sink, nullptr);
    }
    GstElement *loudness = loudnessGainDb ? makeLoudnessFilter(*loudnessGainDb) : nullptr;
    if (GstElement *filter = afterJoiningPieces(loudness)) {
        g_object_set(playbin, "audio-filter", filter, nullptr);
    }
    g_signal_connect(playbin, "deep-element-added", G_CALLBACK(onElementAdded), nullptr);
    GstBus *bus = gst_element_get_bus(playbin);
    gst_bus_set_sync_handler(bus, noticeEnd, nullptr, nullptr);
    gst_object_unref(bus);
    return playbin;
}

} // namespace platform
