#include "playlist/MusicFolderWalk.h"

#include "playlist/FilePattern.h"
#include "playlist/FolderLooks.h"
#include "playlist/MusicFileLister.h"
#include "playlist/RunOnThreads.h"

#include <algorithm>
#include <set>
#include <thread>
#include <vector>

namespace {

// One walk a core: more only take turns with each other on local disks.
constexpr int MaxWalkThreads = 4;

struct FolderListing {
    platform::PathLook look;
    PathStore files;
};

FolderListing listFolder(const QString &folder, const FilePattern &pattern, const platform::PathLook &look)
{
    FolderListing listing{look, {}};
    if (listing.look.kind == platform::PathKind::Folder) {
        const QString base = folder.endsWith(u'/') ? folder : folder + u'/';
        listMusicFiles(folder, pattern, listing.files, base);
    }
    return listing;
}

int extraWalkThreads()
{
    const int cores = int(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, MaxWalkThreads) - 1;
}

} // namespace

MusicFolderWalk walkMusicFolders(const QStringList &folders, const QString &pattern, int answerMs)
{
    const FilePattern filePattern(pattern);
    FolderLooks looks(folders, answerMs);
    std::vector<FolderListing> listings(static_cast<size_t>(folders.size()));
    runOnThreads(folders.size(), extraWalkThreads(), [&](qsizetype i) {
        listings[static_cast<size_t>(i)] = listFolder(folders[i], filePattern, looks.at(i));
    });
    MusicFolderWalk walk;
    qsizetype entries = 0;
    qsizetype bytes = 0;
    for (const FolderListing &listing : listings) {
        entries += listing.files.size();
        bytes += listing.files.byteSize();
    }
    walk.files.reserve(entries, bytes);
    std::set<platform::FolderIdentity> listed;
    for (qsizetype i = 0; i < folders.size(); ++i) {
        FolderListing &listing = listings[static_cast<size_t>(i)];
        if (listing.look.kind == platform::PathKind::NoAnswer) {
            walk.unanswered.append(folders[i]);
        } else if (listing.look.kind == platform::PathKind::Folder && listed.insert(listing.look.id).second) {
            walk.files.append(std::move(listing.files));
        }
    }
    return walk;
}
