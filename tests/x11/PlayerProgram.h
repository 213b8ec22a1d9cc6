#pragma once

#include "BuildPaths.h"
#include "core/RegistryModule.h"

#include <QDate>
#include <QProcess>
#include <QTest>

// What xdotool prints for `command`.
inline QString xdotool(const QString &command)
{
    QProcess tool;
    tool.startCommand(QStringLiteral("xdotool ") + command);
    tool.waitForFinished(5000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// The real program's main window is up: its start-up is over. The splash has the same title.
inline bool mainWindowShown(const QProcess &player, int timeout)
{
    return QTest::qWaitFor(
        [&] {
            const QString shown =
                xdotool(QStringLiteral(
                            "search --onlyvisible --all --pid %1 --name \"^Lyrabox 3$\" getwindowgeometry %@")
                            .arg(player.processId()));
            return shown.count("Window") == 1 && shown.contains("Geometry: 255x109");
        },
        timeout);
}

// This revision ran before and checked for updates today: the program starts straight up.
inline void markStartedBefore()
{
    using namespace RegistryModule;
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, QString::number(LYRA_VERSION_REVISION));
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, QDate::currentDate().toString("yyyy/M/d"));
}
