#pragma once

#include <QString>

// A queued file whose folder is gone lies on a drive that is away (a disk
// unplugged, a share not back after resume): every file after it would fail the
// same way, so the player stops and keeps the queue for when the drive is back.
// A file missing from a folder that exists is only that file gone.

// The folder of `file` when it does not exist, else empty.
QString absentFolder(const QString &file);

// What the title says while the player waits for that folder.
QString absentFolderNotice(const QString &folder);
