#include "core/SettingsNotice.h"
#include "core/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SkinWidgets.h"
#include "mainwindow/TitleScroller.h"
#include "playback/TextColour.h"

#include <QLabel>

void MainForm::followSettings()
{
    connect(&SettingsNotice::instance(), &SettingsNotice::changed, this, &MainForm::settingsChanged);
}

void MainForm::settingsChanged(const SettingsChange &change)
{
    applyTextColour(textColourOf(change.textColour));
    if (!sys().TitleScrollOn) {
        titleScroller->rest();
    }
    FileNameLabel_Change(); // the title timer runs only while the title can move
    if (!sys().TitleToolTipOn) {
        FileNameLabel->setToolTip(QString());
    } else if (FileNameLabel->toolTip().isEmpty()) {
        FileNameLabel->setToolTip(QStringLiteral("[ 次の曲からファイルパスを表示します。 ]"));
    }
    WAWImg->setVisible(change.autostart);
    WAPImg->setVisible(change.autoPlay);
    LBUImg->setVisible(sys().ListBackupOn);
    InfoCover->setVisible(!change.indicatorIcons);
    showFrontFormTip(sys().DownWinMode != 0);
}
