#pragma once

// Tests that need a real X display (window masks, a tray host) get a private
// Xvfb of their own, chosen free by the server, with a white root.
namespace PrivateDisplay {

// Starts it and points DISPLAY and the Qt platform at it; false when it fails.
bool start();
// Stops it by its process id.
void stop();

} // namespace PrivateDisplay
