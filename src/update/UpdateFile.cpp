#include "update/UpdateFile.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

namespace UpdateFile {

QString path()
{
    return platform::dataDir() + QStringLiteral("update.exe");
}

void removeOld()
{
    QFile::remove(path());
}

bool install(const QByteArray &program)
{
    if (!QDir().mkpath(platform::dataDir())) {
        return false;
    }
    // QTemporaryFile opens a fresh name exclusively, readable by the owner only.
    QTemporaryFile file(platform::dataDir() + QStringLiteral("update.exe.XXXXXX"));
    if (!file.open() || file.write(program) != program.size() || !file.flush() ||
        ::fsync(file.handle()) != 0 ||
        !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        return false;
    }
    file.close();
    // rename() swaps the directory entry: whatever sits at the name is replaced, not written through.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path()).constData()) !=
        0) {
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

} // namespace UpdateFile
