#pragma once

namespace platform {

// Every thread allocates from the one heap. By default each thread that allocates gets
// an arena of its own (the start-up's warm-up thread, GStreamer's streaming threads,
// Qt's), which holds on to what it once held; the player's threads allocate little
// once it plays, so they gain nothing from it. Called before any thread starts.
void useOneHeap();

} // namespace platform
