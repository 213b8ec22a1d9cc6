#include "playlist/PlayListForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>

namespace {
QString plainPath(const QString &path) { return path; }

QAction *checkable(QObject *parent, const QString &name, const QString &caption)
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setCheckable(true);
    return action;
}
} // namespace

PlayListForm::PlayListForm()
{
    setObjectName(QStringLiteral("PlayListForm"));
    setWindowTitle(QStringLiteral("プレイリスト"));
    PlayList = new PathListModel(plainPath, this);
    OpenPlayList = new QListView(this);
    OpenPlayList->setObjectName(QStringLiteral("OpenPlayList"));
    OpenPlayList->setModel(PlayList);
    FilePosition = new QLineEdit(this);
    FilePosition->setObjectName(QStringLiteral("FilePosition"));
    NaviFile = new QLabel(QStringLiteral("0"), this);
    NaviFile->setObjectName(QStringLiteral("NaviFile"));
    NaviAllFile = new QLabel(QStringLiteral("0"), this);
    NaviAllFile->setObjectName(QStringLiteral("NaviAllFile"));
    NaviFolder = new QLabel(QStringLiteral("0"), this);
    NaviFolder->setObjectName(QStringLiteral("NaviFolder"));
    AllMusicRepeat = checkable(this, QStringLiteral("AllMusicRepeat"), QStringLiteral("常時リピート"));
    AllMusicRepeat2 = checkable(this, QStringLiteral("AllMusicRepeat2"), QStringLiteral("常時リピート"));
    OneMusicRepeat = checkable(this, QStringLiteral("OneMusicRepeat"), QStringLiteral("随時リピート"));
    OneMusicRepeat2 = checkable(this, QStringLiteral("OneMusicRepeat2"), QStringLiteral("随時リピート"));
    ThisMusicExit = checkable(this, QStringLiteral("ThisMusicExit"), QStringLiteral("この曲で閉じる"));
    ThisMusicExit2 = checkable(this, QStringLiteral("ThisMusicExit2"), QStringLiteral("この曲で閉じる"));
}

void PlayListForm::Form_Load() { PlayListRenewal(); }

void PlayListForm::Form_Unload() {}

void PlayListForm::PlayListRenewal() {}

void PlayListForm::closeEvent(QCloseEvent *event)
{
    // The player needs this window for the whole run: closing only hides it.
    event->ignore();
    hide();
}
