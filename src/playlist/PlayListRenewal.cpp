#include "playlist/PlayListForm.h"

#include "core/RandomSource.h"
#include "core/SystemDataBox.h"
#include "platform/FolderIdentity.h"
#include "playlist/MusicFileLister.h"
#include "playlist/PathDisplayForm.h"
#include "playlist/Shuffle.h"

#include <QLabel>
#include <QLineEdit>

#include <set>

void PlayListForm::PlayListRenewal()
{
    PlayList->clear();
    collectMusicFiles();
    dealMusicAllList();
    sys().TotalFiles = PlayList->count();
    showCounts();
    emit restCountChanged(PlayList->count(), sys().TotalFiles);
    clearFilePosition();
}

void PlayListForm::countMusicFiles()
{
    PlayList->clear();
    collectMusicFiles();
    sys().TotalFiles = MusicAllList.size();
    MusicAllList.clear();
    showCounts();
    clearFilePosition();
}

void PlayListForm::AllListRenewal_Click()
{
    PlayListRenewal();
}

void PlayListForm::PartListRenewal_Click()
{
    // Only what is still queued is dealt again: held-back files stay out.
    MusicAllList = PlayList->store();
    PlayList->clear();
    dealMusicAllList();
    clearFilePosition();
}

void PlayListForm::collectMusicFiles()
{
    const QChar separator = LinuxPaths.separator;
    const FilePattern pattern(MusicFilePattern);
    std::set<platform::FolderIdentity> dealt;
    for (const QString &folder : std::as_const(FolderList)) {
        // One folder under two spellings (a link, a bind mount, a hand-edited entry) is dealt once.
        if (const auto id = platform::folderIdentity(folder); id && !dealt.insert(*id).second) {
            continue;
        }
        const QString base = folder.endsWith(separator) ? folder : folder + separator;
        // A missing or unreadable folder (an unmounted drive) just adds nothing.
        listMusicFiles(folder, pattern, MusicAllList, base);
    }
}

void PlayListForm::dealMusicAllList()
{
    PlayList->setStore(shuffleDeal(MusicAllList, RandomSource::Rnd));
}

void PlayListForm::showCounts()
{
    NaviAllFile->setText(QString::number(sys().TotalFiles));
    NaviFile->setText(QString::number(PlayList->count()));
    NaviFolder->setText(QString::number(FolderList.size()));
}

void PlayListForm::clearFilePosition()
{
    // The renewed list has no selection, so no edit may act on the old one.
    FilePositionLock = true;
    FilePosition->setText(QString());
    FilePositionLock = false;
}
