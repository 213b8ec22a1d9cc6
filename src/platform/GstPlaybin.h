#pragma once

#include <QLoggingCategory>

#include <gst/gst.h>

#include <optional>

namespace platform {

Q_DECLARE_LOGGING_CATEGORY(lcMedia)

// Initialises GStreamer once; false when it cannot run here.
bool gstReady();
// True once gstReady has answered true, without waiting: the first start with a new
// plug-in set reads every plug-in before GStreamer answers.
bool gstStarted();

// Asked before GStreamer starts: it keeps only what plays audio files (keepAudioFeaturesOnly).
// The program asks; tests that encode their own files do not.
void gstKeepAudioOnly();

// A playbin for audio alone, to the desktop's sink (or LYRABOX_AUDIO_SINK's), with the
// large output buffer, held parser output and the end notice already wired.
// With a gain, its audio goes through the loudness filter; without, nothing is added.
GstElement *makePlaybin(const gchar *uri, std::optional<double> loudnessGainDb = std::nullopt);

} // namespace platform
