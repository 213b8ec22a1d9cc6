#pragma once

#include <QPoint>
#include <QRect>

#include <cstdint>

class QImage;
class QWindow;

namespace platform {

// A picture kept by the display server, pieces of which are copied into a window on
// request. A slide that shows another piece of the same picture at each step then
// costs one small request per step, with no repaint of the window and no pixels sent.
class ServerPicture {
public:
    ServerPicture() = default;
    ~ServerPicture();
    ServerPicture(const ServerPicture &) = delete;
    ServerPicture &operator=(const ServerPicture &) = delete;

    // Sends image (in the window's device pixels) to the server for window. False where
    // the display is not X11 or its pixel format is not one this can write; nothing is
    // kept then.
    bool upload(const QImage &image, const QWindow &window);
    // Copies the piece `source` of the picture to `target` in the window (device pixels).
    bool copyTo(const QRect &source, const QPoint &target);
    void clear();
    bool isNull() const { return pixmap_ == 0; }

private:
    std::uint32_t pixmap_ = 0;
    std::uint32_t gc_ = 0;
    std::uint32_t window_ = 0;
};

} // namespace platform
