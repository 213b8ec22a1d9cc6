#include "desktop/TrackNotifier.h"

#include "app/OptionForm.h"
#include "core/FormRegistry.h"
#include "core/RegistryModule.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBox.h"
#include "playback/GetFileName.h"
#include "playback/TrackDetailsReader.h"

namespace {

bool noticeOn()
{
    using namespace RegistryModule;
    return GetRegString(HKEY_CURRENT_USER, SettingsKey, TrackNotice) == QStringLiteral("on");
}

bool userBusyWithUs()
{
    const OptionForm *options = FormRegistry::instance().find<OptionForm>();
    return (options && options->isVisible()) || platform::messageIsOpen();
}

} // namespace

TrackNotifier::TrackNotifier(QDBusConnection bus, QObject *parent)
    : QObject(parent), notifications_(std::move(bus))
{
    connect(&TrackDetailsReader::instance(), &TrackDetailsReader::detailsRead, this,
            &TrackNotifier::detailsRead);
}

void TrackNotifier::detailsRead(const QString &path, const TrackDetails &details)
{
    if (!noticeOn() || userBusyWithUs()) {
        return;
    }
    const QString title =
        details.title.isEmpty() ? platform::visibleFileName(GetFileName(path)) : details.title;
    notifications_.show(title, details.artists.join(QStringLiteral(", ")), details.artPath);
}
