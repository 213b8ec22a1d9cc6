#pragma once

#include "playlist/PathStore.h"

#include <QString>
#include <QStringList>

struct MusicFolderWalk {
    PathStore files;        // full paths, folder by folder in list order
    QStringList unanswered; // folders whose volume did not answer: nothing of them is known
};

// Lists the playable files of each play folder. A folder is first looked at on a
// bounded helper: one whose volume does not answer within answerMs (a network
// share whose server went away) is passed over like a missing one, but named in
// `unanswered`. One folder under two spellings (a link, a bind mount, a
// hand-edited entry) is listed once. Runs on any thread.
MusicFolderWalk walkMusicFolders(const QStringList &folders, const QString &pattern, int answerMs);
