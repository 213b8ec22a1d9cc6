#pragma once

#include <thread>

namespace platform {

// What the start-up reads before its first sound but need not read in turn: the font
// configuration on one thread; GStreamer's registry and the plug-ins every track goes
// through on another, as the first sound waits on them longest. Both load while Qt
// starts and the windows are built; whoever gets there first waits for, or shares,
// what they have loaded.
class WarmUp {
public:
    WarmUp();
    ~WarmUp();
    WarmUp(const WarmUp &) = delete;
    WarmUp &operator=(const WarmUp &) = delete;

private:
    std::thread media_;
    std::thread fonts_;
};

} // namespace platform
