#include "platform/Launcher.h"

#include <QFileInfo>
#include <QProcess>

namespace platform {
namespace {

ProgramLauncher &launcher()
{
    static ProgramLauncher l;
    return l;
}

} // namespace

bool launchProgram(const QString &program)
{
    if (launcher()) {
        return launcher()(program);
    }
    return QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

void setProgramLauncher(ProgramLauncher l)
{
    launcher() = std::move(l);
}

} // namespace platform
