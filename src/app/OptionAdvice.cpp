#include "app/OptionForm.h"

#include "platform/MessageBox.h"
#include "playback/TextColour.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace {

void tellChanged(QWidget *parent, const QString &what)
{
    platform::showMessage(parent, {what + QStringLiteral("を推奨設定に変更しました。\r\n"),
                                   QStringLiteral("設定変更"), platform::MessageIcon::Information,
                                   platform::MessageButtons::Ok});
}

} // namespace

void OptionForm::DisplayTextColor_Click()
{
    QPalette palette = LabelImageText->palette();
    palette.setColor(QPalette::WindowText, textColourOf(chosenColour()));
    LabelImageText->setPalette(palette);
}

QString OptionForm::chosenColour() const
{
    const int entry = DisplayTextColor->currentIndex();
    return entry < 0 ? ownColour_ : QString::number(entry);
}

void OptionForm::selectAllFileGroups()
{
    for (int row = 0; row < FileSystemList->count(); ++row) {
        FileSystemList->item(row)->setSelected(true);
    }
}

void OptionForm::FileSystemAdvise_Click()
{
    selectAllFileGroups();
    tellChanged(this, QStringLiteral("ファイル形式"));
}

void OptionForm::SystemAdvice_Click()
{
    selectAllFileGroups();
    WindowsAutoWakeup->setChecked(true);
    for (QCheckBox *box : {WakeupAutoPlay, PlayListBackUp, PlayEndMode, InfoCover}) {
        box->setChecked(false);
    }
    TitleScrollInfo->setChecked(true);
    TitleToolTipInfo->setChecked(true);
    DisplayTextColor->setCurrentIndex(0);
    LeftCMS->setCurrentIndex(0);
    RightCMS->setCurrentIndex(1);
    MiddleCMS->setCurrentIndex(2);
    TaskLCMS->setCurrentIndex(0);
    DownWinCC->setCurrentIndex(0);
    tellChanged(this, QStringLiteral("プレイオプション"));
}
