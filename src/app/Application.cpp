#include "app/Application.h"

#include "app/OpenForm.h"
#include "app/WindowLoaders.h"
#include "core/FormRegistry.h"
#include "mainwindow/MainForm.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Application {
namespace {
bool startingUp = false;
bool endRequested = false;
} // namespace

void preferX11OnWayland()
{
    const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland") ||
                         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (wayland && qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

void useUnhintedFonts()
{
    QFont font = QGuiApplication::font();
    font.setHintingPreference(QFont::PreferNoHinting);
    QGuiApplication::setFont(font);
}

void installJapaneseTranslations(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

void endProgramInOrder()
{
    FormRegistry &forms = FormRegistry::instance();
    forms.unload<MainForm>();
    forms.unloadAll();
}

bool startUp()
{
    FormRegistry &forms = FormRegistry::instance();
    registerWindowLoaders();
    startingUp = true;
    forms.load<OpenForm>();
    startingUp = false;
    if (endRequested) {
        platform::setUnattended(true);
        endProgramInOrder();
    }
    return forms.loadedCount() > 0;
}

void endAfterOpenMessages()
{
    platform::closeOpenMessages();
    platform::whenNoMessageIsOpen(endProgramInOrder);
}

void requestEnd()
{
    // Nobody is there to answer what the way out may still ask.
    platform::setUnattended(true);
    if (!startingUp) {
        endAfterOpenMessages();
        return;
    }
    // The start-up may be waiting in a message box; it ends once the start-up is through.
    endRequested = true;
    platform::closeOpenMessages();
}

} // namespace Application
