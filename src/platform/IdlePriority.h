#pragma once

typedef struct _GstTaskPool GstTaskPool; // NOLINT(bugprone-reserved-identifier): GStreamer's own name

namespace platform {

// Puts the calling thread at idle CPU and I/O priority, for good: it gets the
// cores and the disk only when nothing else wants them.
void lowerThisThreadsPriority();

// A task pool whose every task runs on a thread of its own at idle priority, so
// no thread of a shared pool (which playback may reuse later) is ever lowered.
GstTaskPool *idleTaskPool();

} // namespace platform
