#pragma once

#include "NginxServer.h"
#include "app/RegistryModule.h"
#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"
#include "update/UpdateServer.h"

#include <QStringList>

using namespace RegistryModule;

inline const QDate testToday(2026, 3, 10);

// A clean start with a short time-out; program starts are recorded, not run.
class UpdateFixture : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        messages.install();
        platform::setTodayOverride(testToday);
        platform::setProgramLauncher([this](const QString &program) {
            launched << program;
            return true;
        });
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::TimeoutValue, QStringLiteral("1"));
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, QStringLiteral("2026/1/1"));
    }

    static void useServer(const QString &url)
    {
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::ServerValue, url);
    }
    static QString install(const QString &value)
    {
        return GetRegString(HKEY_LOCAL_MACHINE, InstallKey, value);
    }

    MessageRecorder messages;
    QStringList launched;
};
