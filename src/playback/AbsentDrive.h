#pragma once

#include <QString>

// A queued file whose folder is gone lies on a drive that is away (a disk
// unplugged, a share not back after resume, a network server that stopped
// answering): every file after it would fail the same way, so the player stops
// and keeps the queue for when the drive is back. A file missing from a folder
// that exists is only that file gone.

// How long the window waits for a folder's volume before taking it as away.
constexpr int FolderAnswerMs = 500;

// The folder of `file` when it does not exist or does not answer in time, else empty.
QString absentFolder(const QString &file);

// An ordinary, non-hidden file that answered in time.
bool playableFileExists(const QString &path);

// What the title says while the player waits for that folder.
QString absentFolderNotice(const QString &folder);
