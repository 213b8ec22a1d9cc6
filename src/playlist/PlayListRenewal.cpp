#include "playlist/PlayListForm.h"

#include "core/RandomSource.h"
#include "core/SystemDataBox.h"
#include "playback/AbsentDrive.h"
#include "playlist/MusicFolderWalker.h"
#include "playlist/PathDisplayForm.h"
#include "playlist/Shuffle.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// How long a renewal holds the window: a walk that takes longer fills the list
// in when it ends.
constexpr int RenewalWaitMs = 1000;

} // namespace

void PlayListForm::PlayListRenewal()
{
    walkPlayFolders([this](MusicFolderWalk &walk) {
        PlayList->clear();
        MusicAllList = std::move(walk.files);
        dealMusicAllList();
        sys().TotalFiles = PlayList->count();
        showWalkedCounts();
    });
    walker_->finishWithin(RenewalWaitMs);
}

void PlayListForm::countMusicFiles()
{
    walkPlayFolders([this](MusicFolderWalk &walk) {
        sys().TotalFiles = walk.files.size();
        showCounts();
        emit restCountChanged(PlayList->count(), sys().TotalFiles);
    });
}

void PlayListForm::walkPlayFolders(std::function<void(MusicFolderWalk &)> use)
{
    if (walker_ == nullptr) {
        walker_ = new MusicFolderWalker(this);
    }
    walker_->start(FolderList, MusicFilePattern, FolderAnswerMs, std::move(use));
}

bool PlayListForm::finishRenewalWithin(int timeoutMs)
{
    return walker_ == nullptr || walker_->finishWithin(timeoutMs);
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

void PlayListForm::dealMusicAllList()
{
    PlayList->setStore(shuffleDeal(MusicAllList, RandomSource::Rnd));
}

void PlayListForm::showWalkedCounts()
{
    showCounts();
    emit restCountChanged(PlayList->count(), sys().TotalFiles);
    clearFilePosition();
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
