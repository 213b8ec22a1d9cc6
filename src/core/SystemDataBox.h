#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Program-wide state that several windows read. One instance; tests reset it.
// What one part alone uses lives with it: the play control's track and state,
// the media engine's replies, the play list's path-box lock.
struct SystemDataBox {
    bool ElapsedDisplay = false;
    bool PlayEndStop = false;
    std::uint8_t LeftClickMenu = 0;
    std::uint8_t RightClickMenu = 0;
    std::uint8_t MiddleClickMenu = 0;
    std::uint8_t TaskLeftClickMenu = 0;
    bool TitleScrollOn = false;
    bool TitleToolTipOn = false;
    std::uint8_t DownWinMode = 0;
    QString LoginUserName;
    // Libraries beyond 32,767 files are common, so the total is not 16-bit.
    qint64 TotalFiles = 0;
    bool ListBackupOn = false;
    QString HelpContext;
    QString ShownHelpContext;
};

SystemDataBox &sys();
void resetSystemDataBox();
