#include "platform/GstPreroll.h"

#include "platform/GstPlaybin.h"

#include <gst/pbutils/pbutils.h>

namespace platform {

void logError(GstMessage *message)
{
    GError *error = nullptr;
    gchar *debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    qCDebug(lcMedia) << "stream error:" << (error ? error->message : "") << (debug ? debug : "");
    g_clear_error(&error);
    g_free(debug);
}

bool isOutputFailure(GstElement *pipeline, GstMessage *message)
{
    GError *error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    const bool resource = error && error->domain == GST_RESOURCE_ERROR;
    g_clear_error(&error);
    GstElement *sink = nullptr;
    g_object_get(pipeline, "audio-sink", &sink, nullptr);
    const bool fromSink = sink && (GST_MESSAGE_SRC(message) == GST_OBJECT(sink) ||
                                   gst_object_has_as_ancestor(GST_MESSAGE_SRC(message), GST_OBJECT(sink)));
    g_clear_pointer(&sink, gst_object_unref);
    return resource && fromSink;
}

namespace {

void noteMissingPlugin(GstMessage *message, PrerollFailure *failure)
{
    gchar *what = gst_missing_plugin_message_get_description(message);
    qCDebug(lcMedia) << "missing plug-in:" << what;
    g_free(what);
    gchar *detail = gst_missing_plugin_message_get_installer_detail(message);
    if (detail && failure) {
        failure->missingPlugins << QString::fromUtf8(detail);
    }
    g_free(detail);
}

} // namespace

void discardMessages(GstElement *pipeline)
{
    GstBus *bus = gst_element_get_bus(pipeline);
    while (GstMessage *message = gst_bus_pop(bus)) {
        gst_message_unref(message);
    }
    gst_object_unref(bus);
}

bool preroll(GstElement *pipeline, PrerollFailure *failure)
{
    const GstStateChangeReturn change = gst_element_set_state(pipeline, GST_STATE_PAUSED);
    if (change == GST_STATE_CHANGE_FAILURE) {
        // A sink that cannot open fails the state change at once, its error on the bus;
        // so does a pipeline opened ahead that failed on the way, with what it missed.
        GstBus *bus = gst_element_get_bus(pipeline);
        bool errorSeen = false;
        const auto types = GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ELEMENT);
        while (GstMessage *message = gst_bus_pop_filtered(bus, types)) {
            if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR && !errorSeen) {
                errorSeen = true;
                if (failure) {
                    failure->outputLost = isOutputFailure(pipeline, message);
                }
            } else if (gst_is_missing_plugin_message(message)) {
                noteMissingPlugin(message, failure);
            }
            gst_message_unref(message);
        }
        gst_object_unref(bus);
        discardMessages(pipeline);
        return false;
    }
    if (change != GST_STATE_CHANGE_ASYNC) {
        return true;
    }
    GstBus *bus = gst_element_get_bus(pipeline);
    const gint64 deadline = g_get_monotonic_time() + gint64(kPrerollWait / GST_USECOND);
    bool prerolled = false;
    bool failed = false;
    while (!prerolled && !failed) {
        const gint64 left = deadline - g_get_monotonic_time();
        if (left <= 0) {
            qCDebug(lcMedia) << "preroll timed out";
            break;
        }
        const auto types = GstMessageType(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR | GST_MESSAGE_ELEMENT);
        GstMessage *message = gst_bus_timed_pop_filtered(bus, GstClockTime(left) * GST_USECOND, types);
        if (!message) {
            continue;
        }
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            logError(message);
            failed = true;
            if (failure) {
                failure->outputLost = isOutputFailure(pipeline, message);
            }
        } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ASYNC_DONE) {
            prerolled = GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline);
        } else if (gst_is_missing_plugin_message(message)) {
            noteMissingPlugin(message, failure);
        }
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    return prerolled;
}

} // namespace platform
