#pragma once

#include <QByteArray>

#include <gst/gst.h>

namespace platform {

// The length of a prerolled track, never 0: asked of the pipeline, else estimated.
qint64 trackLengthMs(GstElement *pipeline, const QByteArray &fileName, const gchar *uri, qint64 fileSize);

} // namespace platform
