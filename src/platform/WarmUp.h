#pragma once

#include <thread>

namespace platform {

// What the start-up reads before its first sound but need not read in turn: the font
// configuration, GStreamer's registry and the plug-ins every track goes through. A
// thread of their own loads them while Qt starts and the windows are built; whoever
// gets there first waits for, or shares, what it has loaded.
class WarmUp {
public:
    WarmUp();
    ~WarmUp();
    WarmUp(const WarmUp &) = delete;
    WarmUp &operator=(const WarmUp &) = delete;

private:
    std::thread thread_;
};

} // namespace platform
