#include "platform/ServerPicture.h"

#include <QGuiApplication>
#include <QImage>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace platform {
namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t *connection()
{
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

const xcb_visualtype_t *findVisual(xcb_connection_t *c, xcb_visualid_t id)
{
    for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(c)); screen.rem; xcb_screen_next(&screen)) {
        for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem;
             xcb_depth_next(&depth)) {
            for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem;
                 xcb_visualtype_next(&visual)) {
                if (visual.data->visual_id == id) {
                    return visual.data;
                }
            }
        }
    }
    return nullptr;
}

// Whether the window's pixels are 32-bit words 0x??RRGGBB stored low byte first, which
// is how a QImage of 32 bits a pixel lies in memory on this machine.
bool takesQImagePixels(xcb_connection_t *c, xcb_window_t window, std::uint8_t depth)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || (depth != 24 && depth != 32)) {
        return false;
    }
    bool fourBytes = false;
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem; xcb_format_next(&format)) {
        if (format.data->depth == depth) {
            fourBytes = format.data->bits_per_pixel == 32 && format.data->scanline_pad == 32;
        }
    }
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr), &std::free);
    const xcb_visualtype_t *visual = attributes ? findVisual(c, attributes->visual) : nullptr;
    return fourBytes && visual != nullptr && visual->red_mask == 0xff0000 && visual->green_mask == 0xff00 &&
           visual->blue_mask == 0xff;
}

std::uint8_t depthOf(xcb_connection_t *c, xcb_window_t window)
{
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    return geometry ? geometry->depth : 0;
}

// A request has a size limit: the picture goes in bands of whole rows.
void putRows(xcb_connection_t *c, xcb_pixmap_t pixmap, xcb_gcontext_t gc, const QImage &pixels,
             std::uint8_t depth)
{
    const auto bytesPerRow = static_cast<std::uint32_t>(pixels.bytesPerLine());
    const std::uint32_t room = xcb_get_maximum_request_length(c) * 4 - 64;
    const int band = std::max(1, static_cast<int>(room / bytesPerRow));
    for (int top = 0; top < pixels.height(); top += band) {
        const int rows = std::min(band, pixels.height() - top);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, static_cast<std::uint16_t>(pixels.width()),
                      static_cast<std::uint16_t>(rows), 0, static_cast<std::int16_t>(top), 0, depth,
                      bytesPerRow * static_cast<std::uint32_t>(rows), pixels.constScanLine(top));
    }
}

} // namespace

ServerPicture::~ServerPicture()
{
    clear();
}

bool ServerPicture::upload(const QImage &image, const QWindow &window)
{
    clear();
    xcb_connection_t *c = connection();
    constexpr int Largest = 32767; // the protocol's limit on a picture's side
    if (c == nullptr || image.isNull() || image.width() > Largest || image.height() > Largest) {
        return false;
    }
    const auto target = static_cast<xcb_window_t>(window.winId());
    const std::uint8_t depth = depthOf(c, target);
    if (!takesQImagePixels(c, target, depth)) {
        return false;
    }
    const QImage pixels =
        image.convertToFormat(depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    pixmap_ = xcb_generate_id(c);
    xcb_create_pixmap(c, depth, pixmap_, target, static_cast<std::uint16_t>(pixels.width()),
                      static_cast<std::uint16_t>(pixels.height()));
    gc_ = xcb_generate_id(c);
    const std::uint32_t noExposureEvents = 0;
    xcb_create_gc(c, gc_, pixmap_, XCB_GC_GRAPHICS_EXPOSURES, &noExposureEvents);
    putRows(c, pixmap_, gc_, pixels, depth);
    window_ = target;
    return true;
}

bool ServerPicture::copyTo(const QRect &source, const QPoint &target)
{
    xcb_connection_t *c = connection();
    if (c == nullptr || isNull()) {
        return false;
    }
    xcb_copy_area(c, pixmap_, window_, gc_, static_cast<std::int16_t>(source.x()),
                  static_cast<std::int16_t>(source.y()), static_cast<std::int16_t>(target.x()),
                  static_cast<std::int16_t>(target.y()), static_cast<std::uint16_t>(source.width()),
                  static_cast<std::uint16_t>(source.height()));
    xcb_flush(c);
    return true;
}

void ServerPicture::clear()
{
    xcb_connection_t *c = connection();
    if (c != nullptr && !isNull()) {
        xcb_free_gc(c, gc_);
        xcb_free_pixmap(c, pixmap_);
        xcb_flush(c);
    }
    pixmap_ = 0;
    gc_ = 0;
    window_ = 0;
}

} // namespace platform
