#pragma once

#include <QLoggingCategory>

#include <gst/gst.h>

namespace platform {

Q_DECLARE_LOGGING_CATEGORY(lcMedia)

// Initialises GStreamer once; false when it cannot run here.
bool gstReady();

// A playbin for audio alone, to the desktop's sink (or LYRABOX_AUDIO_SINK's), with the
// large output buffer, held parser output and the end notice already wired.
GstElement *makePlaybin(const gchar *uri);

} // namespace platform
