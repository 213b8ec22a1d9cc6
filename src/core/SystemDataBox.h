#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Program-wide state shared by every window. One instance; tests reset it.
struct SystemDataBox {
    // The media replies are fixed 16-character texts; they start out as NULs.
    static QByteArray emptyReply() { return QByteArray(16, '\0'); }

    std::uint8_t PlayCommand = 0;
    QString MusicFileName;
    QByteArray MciReply = emptyReply();
    QByteArray MusicLength = emptyReply();
    QByteArray RestTime = emptyReply();
    std::int32_t MciResult = 0;
    std::int16_t TimeHour = 0;
    std::int16_t TimeMinute = 0;
    std::int16_t TimeSecond = 0;
    bool ElapsedDisplay = false;
    bool PlayEndStop = false;
    std::uint8_t LeftClickMenu = 0;
    std::uint8_t RightClickMenu = 0;
    std::uint8_t MiddleClickMenu = 0;
    std::uint8_t TaskLeftClickMenu = 0;
    bool TitleScrollOn = false;
    bool TitleToolTipOn = false;
    bool TitleRestart = false;
    std::uint8_t TitleWaitCount = 0;
    std::uint8_t DownWinMode = 0;
    bool MainFormLoaded = false;
    QString LoginUserName;
    // Libraries beyond 32,767 files are common, so the total is not 16-bit.
    qint64 TotalFiles = 0;
    bool ListBackupOn = false;
    bool FilePositionLock = false;
    QString HelpContext;
    QString ShownHelpContext;
    // The last settings write failed and was reported: the next failures are not.
    bool SettingsWriteFailed = false;
};

SystemDataBox &sys();
void resetSystemDataBox();
