#include "app/Application.h"
#include "app/FormRegistry.h"
#include "app/OpenForm.h"
#include "platform/TerminationSignals.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Application::preferX11OnWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lyrabox3"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lyrabox 3"));
    // The program ends when its last window unloads, not when the last one hides.
    QApplication::setQuitOnLastWindowClosed(false);
    Application::installJapaneseTranslations(app);

    FormRegistry &forms = FormRegistry::instance();
    QObject::connect(&forms, &FormRegistry::lastFormUnloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    platform::TerminationSignals terminationSignals(Application::endProgramInOrder);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [] { Application::endProgramInOrder(); });

    forms.load<OpenForm>();
    return QApplication::exec();
}
