#pragma once

#include <QStringList>

#include <gst/gst.h>

namespace platform {

// A good file on a busy machine can take seconds; one that never prerolls must not hold the
// user interface longer than this.
inline constexpr GstClockTime kPrerollWait = 10 * GST_SECOND;

// Why an open failed, beyond the code.
struct PrerollFailure {
    bool outputLost = false;
    QStringList missingPlugins;
};

// Brings the pipeline to PAUSED and waits, bounded, until it has prerolled or failed.
bool preroll(GstElement *pipeline, PrerollFailure *failure = nullptr);

void discardMessages(GstElement *pipeline);
void logError(GstMessage *message);

// A resource error of the audio sink (or of an element inside it) is the output's
// failure: the sound server went away or the device cannot be opened. Anything else
// is the file's.
bool isOutputFailure(GstElement *pipeline, GstMessage *message);

} // namespace platform
