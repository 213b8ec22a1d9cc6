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

QTemporaryDir *root = nullptr;

QString sub(const char *name)
{
    return root->path() + u'/' + QLatin1StringView(name);
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

void prepareDirectories()
{
    root = new QTemporaryDir();
    for (const auto &[name, variable] : {std::pair{"config", "XDG_CONFIG_HOME"},
                                         {"data", "XDG_DATA_HOME"},
                                         {"runtime", "XDG_RUNTIME_DIR"}}) {
        QDir().mkpath(sub(name));
        qputenv(variable, sub(name).toUtf8());
    }
    QFile::setPermissions(sub("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void removeDirectories()
{
    delete root;
    root = nullptr;
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
    for (const QString &dir : {configHome(), dataHome()}) {
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
    }
}

} // namespace TestEnvironment
