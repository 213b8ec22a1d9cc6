#pragma once

#include "core/Form.h"

#include <QStringList>
#include <cstdint>

class QListWidget;
class QPushButton;

namespace platform {
class Transfer;
}

// Asks the update server whether a newer revision exists.
class VersionStatusForm : public Form {
    Q_OBJECT
public:
    VersionStatusForm();

    void Form_Load() override;
    void Form_Unload() override;
    void VersionCheck_Click();
    void ExitVerSta_Click();

    QListWidget *StatusList = nullptr;
    QPushButton *VersionCheck = nullptr;
    QPushButton *ExitVerSta = nullptr;
    platform::Transfer *Inet = nullptr;

    // 1 once a check has finished: VersionCheck then closes the window.
    std::uint8_t CloseOnClick = 0;

signals:
    // The user closed the window and no update was announced.
    void closedWithoutUpdate();
    // The server could not be asked, or gave no answer of the protocol.
    void checkFailed();

protected:
    // A close asked for during a check cancels it and closes once it has ended.
    void closeEvent(QCloseEvent *event) override;

private:
    void addLines(const QStringList &lines);
    // False when the window was unloaded while it waited for the server.
    bool runCheck();
    void handOverToDownload();
    void finishCheck();
    void failCheck(const QString &firstLine);
    void closeByUser();

    bool checking_ = false;
    bool closeWhenDone_ = false;
};
