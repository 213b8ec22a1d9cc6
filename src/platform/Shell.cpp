#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {

ShellOpenHandler &handler()
{
    static ShellOpenHandler h;
    return h;
}

QUrl urlOf(const QString &target)
{
    QUrl url(target, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1) {
        return url;
    }
    return QUrl::fromLocalFile(target);
}

} // namespace

bool shellOpen(const QString &target)
{
    if (handler()) {
        return handler()(target);
    }
    const QUrl url = urlOf(target);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

void setShellOpenHandler(ShellOpenHandler h)
{
    handler() = std::move(h);
}

} // namespace platform
