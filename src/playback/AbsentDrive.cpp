#include "playback/AbsentDrive.h"

#include "platform/FileNameCodec.h"
#include "platform/PathLook.h"

QString absentFolder(const QString &file)
{
    const QString folder = file.left(file.lastIndexOf(u'/') + 1);
    const bool present =
        folder.isEmpty() || platform::lookAt(folder, FolderAnswerMs).kind == platform::PathKind::Folder;
    return present ? QString() : folder;
}

bool playableFileExists(const QString &path)
{
    return !path.section(u'/', -1).startsWith(u'.') &&
           platform::lookAt(path, FolderAnswerMs).kind == platform::PathKind::File;
}

QString absentFolderNotice(const QString &folder)
{
    return QStringLiteral("[ フォルダが見つかりません (ドライブが外れていませんか) : ") +
           platform::visibleFileName(folder) + QStringLiteral(" ]");
}
