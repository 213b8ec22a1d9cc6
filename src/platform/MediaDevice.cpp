#include "platform/MediaDevice.h"

#include <QCoreApplication>

namespace platform {
namespace {

std::function<void()> &endNotice()
{
    static std::function<void()> notice;
    return notice;
}

} // namespace

void setEndNotice(std::function<void()> notice)
{
    endNotice() = std::move(notice);
}

void postEndNotice()
{
    if (QCoreApplication *app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            app,
            [] {
                if (endNotice()) {
                    endNotice()();
                }
            },
            Qt::QueuedConnection);
    }
}

} // namespace platform
