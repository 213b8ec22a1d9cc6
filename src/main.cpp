#include "app/Application.h"
#include "core/FormRegistry.h"
#include "desktop/MprisService.h"
#include "desktop/TrackNotifier.h"
#include "platform/PaintPath.h"
#include "platform/TerminationSignals.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Application::preferX11OnWayland();
    platform::preferSocketPainting();
    QApplication app(argc, argv);
    platform::keepPaintPathToOurselves();
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

    // Media keys, panels and playerctl reach the player through this once its main window loads.
    MprisService mpris(QDBusConnection::sessionBus());
    TrackNotifier notifier(QDBusConnection::sessionBus());
    if (!Application::startUp()) {
        return 0;
    }
    return QApplication::exec();
}
