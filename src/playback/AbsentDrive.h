#pragma once

#include <QString>

// A queued file whose folder is gone lies on a drive that is away (a disk
// unplugged, a share not back after resume, a network server that stopped
// answering): every file after it would fail the same way, so the player stops
// and keeps the queue for when the drive is back. A file missing from a folder
// that exists is only that file gone.

// How long the window waits for a folder's volume before taking it as away.
constexpr int FolderAnswerMs = 500;

enum class QueuedFile {
    // An ordinary, non-hidden file that answered in time.
    Playable,
    Gone,
    // Its folder does not exist or did not answer in time.
    DriveAway
};
QueuedFile lookAtQueuedFile(const QString &path);

QString folderOf(const QString &file);

// What the title says while the player waits for that folder.
QString absentFolderNotice(const QString &folder);
