#pragma once

#include "platform/MediaDevice.h"

#include <memory>

namespace platform {

// The program's device (GStreamer), created on first use.
MediaDevice &mediaDevice();
// Tests substitute a scripted device; nullptr brings the real one back.
void setMediaDevice(std::unique_ptr<MediaDevice> device);

// The command interface the player uses.
int mciSendString(const QString &command, char *reply, int replySize);

} // namespace platform
