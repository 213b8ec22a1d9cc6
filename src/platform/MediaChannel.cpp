#include "platform/MediaChannel.h"

#include "platform/GstMediaDevice.h"

namespace platform {
namespace {

std::unique_ptr<MediaDevice> &currentDevice()
{
    static std::unique_ptr<MediaDevice> device;
    return device;
}

} // namespace

MediaDevice &mediaDevice()
{
    if (!currentDevice()) {
        currentDevice() = std::make_unique<GstMediaDevice>();
    }
    return *currentDevice();
}

// Replacing the device closes whatever track the old one held.
void setMediaDevice(std::unique_ptr<MediaDevice> device)
{
    currentDevice() = std::move(device);
}

int mciSendString(const QString &command, char *reply, int replySize)
{
    return mediaDevice().send(command, reply, replySize);
}

} // namespace platform
