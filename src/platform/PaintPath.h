#pragma once

namespace platform {

// The window is small and repaints only a strip of title at a time. Through shared
// memory each repaint costs a round trip and a completion event, which wake two
// threads; sent over the display connection it costs one write. Call before the
// application object exists; the choice does not pass on to programs started later.
void preferSocketPainting();
void keepPaintPathToOurselves();

} // namespace platform
