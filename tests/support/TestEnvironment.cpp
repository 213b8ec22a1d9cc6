#include "support/TestEnvironment.h"

#include "app/FormRegistry.h"
#include "app/RandomSource.h"
#include "app/SystemDataBox.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/Launcher.h"
#include "platform/MediaChannel.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/UserName.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>

namespace TestEnvironment {
namespace {

QTemporaryDir *&root()
{
    static QTemporaryDir *dir = nullptr;
    return dir;
}

QString sub(const char *name)
{
    return root()->path() + u'/' + QString::fromLatin1(name);
}

void emptyFolder(const QString &path)
{
    QDir(path).removeRecursively();
    QDir().mkpath(path);
}

} // namespace

QString configHome()
{
    return sub("config");
}
QString dataHome()
{
    return sub("data");
}
QString runtimeDir()
{
    return sub("runtime");
}

void prepareDirectories()
{
    root() = new QTemporaryDir();
    for (const QString &dir : {configHome(), dataHome(), runtimeDir()}) {
        QDir().mkpath(dir);
    }
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
    qputenv("XDG_DATA_HOME", dataHome().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtimeDir().toUtf8());
}

void removeDirectories()
{
    delete root();
    root() = nullptr;
}

void flushEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void refuseMessageBoxes()
{
    platform::setMessageBoxHandler([](QWidget *, const platform::MessageRequest &request) {
        ADD_FAILURE() << "unexpected message box: " << request.title.toStdString() << ": "
                      << request.text.toStdString();
        return platform::MessageAnswer::Ok;
    });
}

void resetAll()
{
    FormRegistry::instance().unloadAll();
    flushEvents();
    platform::programInstanceLock().release();
    platform::setMediaDevice(nullptr);
    refuseMessageBoxes();
    platform::setShellOpenHandler([](const QString &) { return true; });
    platform::setProgramLauncher([](const QString &program) {
        ADD_FAILURE() << "unexpected program start: " << program.toStdString();
        return false;
    });
    platform::setUserNameOverride(std::nullopt);
    platform::setTodayOverride(std::nullopt);
    RandomSource::setDrawOverride({});
    resetSystemDataBox();
    emptyFolder(configHome());
    emptyFolder(dataHome());
}

} // namespace TestEnvironment
