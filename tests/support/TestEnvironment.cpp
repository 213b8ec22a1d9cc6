#include "support/TestEnvironment.h"

#include "core/FormRegistry.h"
#include "core/RandomSource.h"
#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/Launcher.h"
#include "platform/MediaChannel.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/UserName.h"
#include "platform/Volumes.h"
#include "playback/TrackLoudness.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>

namespace TestEnvironment {
namespace {

QTemporaryDir *root = nullptr;

} // namespace

QString configHome()
{
    return root->path() + QStringLiteral("/config");
}
QString dataHome()
{
    return root->path() + QStringLiteral("/data");
}

void prepareDirectories()
{
    root = new QTemporaryDir();
    const QString runtime = root->path() + QStringLiteral("/runtime");
    for (const auto &[variable, dir] : {std::pair{"XDG_CONFIG_HOME", configHome()},
                                        {"XDG_DATA_HOME", dataHome()},
                                        {"XDG_CACHE_HOME", root->path() + QStringLiteral("/cache")},
                                        {"XDG_RUNTIME_DIR", runtime}}) {
        QDir().mkpath(dir);
        qputenv(variable, dir.toUtf8());
    }
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
    platform::setUnattended(false);
    platform::setShellOpenHandler([](const QString &) { return true; });
    platform::setProgramLauncher([](const QString &program) {
        ADD_FAILURE() << "unexpected program start: " << program.toStdString();
        return false;
    });
    platform::setUserNameOverride(std::nullopt);
    platform::setTodayOverride(std::nullopt);
    platform::setVolumeSource({});
    RandomSource::setDrawOverride({});
    resetSystemDataBox();
    TrackLoudness::instance().setEnabled(false);
    for (const QString &dir : {configHome(), dataHome()}) {
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
    }
}

} // namespace TestEnvironment

void setSetting(const QString &name, const QString &value)
{
    RegistryModule::SetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey, name, value);
}
