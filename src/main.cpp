#include "app/Application.h"
#include "core/FormRegistry.h"
#include "desktop/MprisService.h"
#include "desktop/TrackNotifier.h"
#include "platform/GstPlaybin.h"
#include "platform/PaintPath.h"
#include "platform/TerminationSignals.h"
#include "platform/WarmUp.h"

#include <QApplication>
#include <QTimer>

#include <malloc.h>
#include <memory>

int main(int argc, char *argv[])
{
    // Threads come and go (GStreamer's, Qt's, the folder walks'), and each would keep a
    // malloc arena of its own for the rest of the run: half a MiB, for little at once.
    mallopt(M_ARENA_MAX, 2);
    platform::gstKeepAudioOnly();
    const platform::WarmUp warmUp;
    Application::preferX11OnWayland();
    platform::preferSocketPainting();
    QApplication app(argc, argv);
    platform::keepPaintPathToOurselves();
    Application::useUnhintedFonts();
    QApplication::setApplicationName(QStringLiteral("lyrabox3"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lyrabox 3"));
    // Panels and task bars match the window to the installed desktop entry by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.miravelt.Lyrabox3"));
    // The program ends when its last window unloads, not when the last one hides.
    QApplication::setQuitOnLastWindowClosed(false);
    Application::installJapaneseTranslations(app);

    QObject::connect(&FormRegistry::instance(), &FormRegistry::lastFormUnloaded, &app,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    platform::TerminationSignals terminationSignals(Application::requestEnd);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [] { Application::requestEnd(); });

    // Media keys, panels and playerctl reach the player through this once its main window
    // loads. It comes the first time events are handled, as the splash shows, by when Qt's
    // accessibility bridge has already waited on the session bus.
    std::unique_ptr<MprisService> mpris;
    std::unique_ptr<TrackNotifier> notifier;
    QTimer::singleShot(0, &app, [&mpris, &notifier] {
        mpris = std::make_unique<MprisService>(QDBusConnection::sessionBus());
        notifier = std::make_unique<TrackNotifier>(QDBusConnection::sessionBus());
    });
    if (!Application::startUp()) {
        return 0;
    }
    return QApplication::exec();
}
