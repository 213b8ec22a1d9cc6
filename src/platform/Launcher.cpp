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

bool launchProgram(const QString &program, QString *error)
{
    if (launcher()) {
        return launcher()(program);
    }
    // A start that exec() refuses (a noexec mount, a file that is no program) fails here.
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    if (process.startDetached()) {
        return true;
    }
    if (error != nullptr) {
        *error = process.errorString();
    }
    return false;
}

void setProgramLauncher(ProgramLauncher l)
{
    launcher() = std::move(l);
}

} // namespace platform
