#pragma once

#include <thread>

namespace platform {

// GStreamer's registry and the plug-ins every track goes through are loaded on a
// thread of their own while the windows are built, rather than after them, on the
// way to the first sound. The first open waits for it where it is not through.
class GstWarmUp {
public:
    GstWarmUp();
    ~GstWarmUp();
    GstWarmUp(const GstWarmUp &) = delete;
    GstWarmUp &operator=(const GstWarmUp &) = delete;

private:
    std::thread thread_;
};

} // namespace platform
