#pragma once

#include "core/Form.h"
#include "playback/PlayController.h"
#include "playback/TimeText.h"

#include <QImage>
#include <QPixmap>
#include <QPoint>

class DecoderNotice;
class ImageButton;
class Lamp;
class PlayListForm;
enum class ModeLamp;
class ProgressBar;
class QLabel;
class QTimer;
class TitleScroller;
class TitleView;
struct SettingsChange;

// The player's main window: play and stop buttons, title, time, progress and
// counter, and the indicator lamps of the settings and play modes.
class MainForm : public Form {
    Q_OBJECT
public:
    MainForm();

    void Form_Load() override;
    void Form_Unload() override;

    // The buttons' handlers hand over to the play control, which decides.
    void MusicPlay_Click();
    void MusicStop_Click();
    // Play/stop toggle for other windows; it never pauses.
    void MusicPlayCallSys();

    void MusicTimer_Timer();
    void FileNameLabel_Change();
    void TitleTimer_Timer();
    void ExitProgram_Click();
    // Sends the window to the back or, by the setting, into the tray.
    void FrontForm_Click();

    // Loaded in full: the start-up's own auto-play is over.
    bool MainFormLoaded() const { return loadedFully_; }

    // Puts a title into FileNameLabel, sized to its text.
    void setTitle(const QString &title);

    ImageButton *MusicPlay = nullptr;
    ImageButton *MusicStop = nullptr;
    ImageButton *FolderSetup = nullptr;
    ImageButton *FrontForm = nullptr;
    ImageButton *ExitProgram = nullptr;
    QWidget *TitleBox = nullptr;
    QLabel *FileNameLabel = nullptr;
    QLabel *StatusLabel = nullptr;
    QLabel *NowTimeLabel = nullptr;
    QLabel *AllTimeLabel = nullptr;
    QLabel *FileStatusLabel = nullptr;
    ProgressBar *TimeLine = nullptr;
    ProgressBar *AllTimeLine = nullptr;
    Lamp *WAWImg = nullptr;
    Lamp *WAPImg = nullptr;
    Lamp *WindowTopupImg = nullptr;
    Lamp *ThisMusicExitImg = nullptr;
    Lamp *AllRepeatImg = nullptr;
    Lamp *OneRepeatImg = nullptr;
    Lamp *LBUImg = nullptr;
    Lamp *InfoCover = nullptr;
    QTimer *MusicTimer = nullptr;
    // Owns TitleTimer and the title's place in TitleBox.
    TitleScroller *titleScroller = nullptr;

    // The skin at its own size; the window's outline is cut from it.
    QImage MainPicture;
    // One tick of MusicTimer.
    static constexpr int MusicTickMs = 100;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Labels and lamps leave their presses to the window: they drag it like its background.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // A hidden window shows nothing: its timers sleep until it is shown again.
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createLamps();
    void connectButtons();
    void applySettings();
    // What the options window stored, shown at once.
    void followSettings();
    void settingsChanged(const SettingsChange &change);
    void MakeWindowRegion();
    void followPlayList();
    void serveQueue(PlayListForm &list);
    Lamp *modeLamp(ModeLamp lamp) const;

    void FolderSetup_MouseUp(Qt::MouseButton button, QPoint globalPos);
    bool sendsToTray() const;
    void showFrontFormTip(bool toTray);
    void showNormalPictures();
    void applyTextColour(const QColor &colour);

    // What the play control announces, shown.
    void followPlayControl();
    void showStatus(PlayController::Status status);
    void showTrack(const QString &path, std::optional<qint64> lengthMs);
    void showStopped();
    void offerFolderSetup();
    void showPlayingTime(std::optional<qint64> positionMs, std::optional<qint64> lengthMs);
    void showProgress(std::optional<qint64> positionMs, std::optional<qint64> lengthMs);
    void scheduleMusicTimer(std::optional<qint64> positionMs, std::optional<qint64> lengthMs);
    void trackEndNoticed();

    void Form_MouseDown(Qt::MouseButton button, QPoint globalPos);
    void Form_MouseMove();

    // Hidden after being shown: no timer runs, the device's end notice stands in.
    bool asleep_ = false;
    // Ticks MusicTimer polls one by one after an end notice, until the end shows.
    int endWatchTicks_ = 0;
    qint64 lastTickPosition_ = -1;
    // The remaining milliseconds the time label shows in remaining-time mode.
    qint64 RestTime = 0;
    TimeParts timeParts_;
    DecoderNotice *decoderNotice_ = nullptr;
    QPixmap background_;
    TitleView *titleView_ = nullptr;
    bool dragging_ = false;
    QPoint dragOffset_;
    bool loadedFully_ = false;
};
