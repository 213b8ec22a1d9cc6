#include "playback/AbsentDrive.h"

#include "platform/FileNameCodec.h"

#include <sys/stat.h>

QString absentFolder(const QString &file)
{
    const QString folder = file.left(file.lastIndexOf(u'/') + 1);
    struct stat st {};
    const bool present =
        folder.isEmpty() ||
        (::stat(platform::encodeFileName(folder).constData(), &st) == 0 && S_ISDIR(st.st_mode));
    return present ? QString() : folder;
}

QString absentFolderNotice(const QString &folder)
{
    return QStringLiteral("[ フォルダが見つかりません (ドライブが外れていませんか) : ") +
           platform::visibleFileName(folder) + QStringLiteral(" ]");
}
