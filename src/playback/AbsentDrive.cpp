#include "playback/AbsentDrive.h"

#include "platform/FileNameCodec.h"
#include "platform/PathLook.h"

using platform::PathKind;

QString folderOf(const QString &file)
{
    return file.left(file.lastIndexOf(u'/') + 1);
}

QueuedFile lookAtQueuedFile(const QString &path)
{
    const QString folder = folderOf(path);
    const platform::FileAndFolder found = platform::lookAtFileAndFolder(path, folder, FolderAnswerMs);
    if (found.file == PathKind::File) {
        // A hidden file is never played, as the renewal never deals one.
        return path.section(u'/', -1).startsWith(u'.') ? QueuedFile::Gone : QueuedFile::Playable;
    }
    const bool folderThere = folder.isEmpty() || found.folder == PathKind::Folder;
    return folderThere ? QueuedFile::Gone : QueuedFile::DriveAway;
}

QString absentFolderNotice(const QString &folder)
{
    return QStringLiteral("[ フォルダが見つかりません (ドライブが外れていませんか) : ") +
           platform::visibleFileName(folder) + QStringLiteral(" ]");
}
