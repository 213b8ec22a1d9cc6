#pragma once

typedef struct _GstElement GstElement; // NOLINT(bugprone-reserved-identifier): GStreamer's own name
typedef struct _GstPad GstPad;         // NOLINT(bugprone-reserved-identifier): GStreamer's own name

namespace platform {

// playbin's audio filter for even loudness: the track's gain, then a limiter so a
// positive gain never clips. A gain tag in the stream takes the place of
// `gainDb`, which comes from a measurement (or is 0 dB).
GstElement *makeLoudnessFilter(double gainDb);

// A pad for a bin that builds a filter: the ghost of element's pad `name`, named alike.
GstPad *ghostPad(GstElement *element, const char *name);

} // namespace platform
