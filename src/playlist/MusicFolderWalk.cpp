#include "playlist/MusicFolderWalk.h"

#include "platform/PathLook.h"
#include "playlist/FilePattern.h"
#include "playlist/MusicFileLister.h"

#include <set>

MusicFolderWalk walkMusicFolders(const QStringList &folders, const QString &pattern, int answerMs)
{
    MusicFolderWalk walk;
    const FilePattern filePattern(pattern);
    std::set<platform::FolderIdentity> listed;
    for (const QString &folder : folders) {
        const platform::PathLook look = platform::lookAt(folder, answerMs);
        if (look.kind == platform::PathKind::NoAnswer) {
            walk.unanswered.append(folder);
            continue;
        }
        if (look.kind != platform::PathKind::Folder || !listed.insert(look.id).second) {
            continue;
        }
        const QString base = folder.endsWith(u'/') ? folder : folder + u'/';
        listMusicFiles(folder, filePattern, walk.files, base);
    }
    return walk;
}
