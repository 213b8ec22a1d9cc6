#pragma once

typedef struct _GstTaskPool GstTaskPool; // NOLINT(bugprone-reserved-identifier): GStreamer's own name

namespace platform {

// Puts the calling thread at the lowest CPU and I/O priority (nice 19, the last
// best-effort I/O level), for good: it gets what the rest of the desktop leaves.
void lowerThisThreadsPriority();

// A task pool whose every task runs on a thread of its own at that priority, so
// no thread of a shared pool (which playback may reuse later) is ever lowered.
GstTaskPool *idleTaskPool();

} // namespace platform
