#pragma once

#include "core/Form.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

class QLabel;
class QPushButton;

namespace platform {
class Transfer;
}

// Downloads and starts the update program.
class NewVersionForm : public Form {
    Q_OBJECT
public:
    NewVersionForm();

    void Form_Load() override;
    void Form_Unload() override;
    void FileDLStart_Click();
    void CancelNewVersion_Click();
    void Inet_StateChanged(qint16 state);

    QLabel *ProgramNameLabel = nullptr;
    QLabel *VersionLabel = nullptr;
    QLabel *DLLabel = nullptr;
    QLabel *InfoLabel = nullptr;
    QPushButton *FileDLStart = nullptr;
    QPushButton *CancelNewVersion = nullptr;
    platform::Transfer *Inet = nullptr;

    // The key the program's signature must verify against: the build's, unless a
    // test gives its own.
    void setPublisherKey(const QString &key) { publisherKey_ = key; }

    // 1 after "NoReady": FileDLStart then closes the window.
    std::uint8_t CloseOnClick = 0;
    // Set when the first download begins; state texts show only from then on.
    bool DownloadStarted = false;
    // The transfer reported its error state during the current download.
    bool DownloadFailed = false;
    // The byte count the server announced for the current download.
    std::int32_t DownloadSize = 0;

signals:
    // The update cannot be had now: the query or the download failed (the window
    // stays for another try), the update program would not start, or the user
    // closed the window. It stays announced; whoever opened the window goes on.
    void updateDeferred();

protected:
    // A close asked for during a transfer cancels it and closes once it has ended.
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    // False when the window was unloaded meanwhile or has handed over to the update.
    bool download();
    // Empty when the download failed or the window was closed meanwhile.
    std::optional<QByteArray> fetchProgram();
    // Writes and starts the program when its publisher's signature verifies.
    bool installSigned(const QByteArray &program);
    bool startUpdate();
    bool stillWanted();
    void closeByUser();
    void goOnWithout();
    void serviceUnavailable();
    void showFailure(const QString &text);

    QString publisherKey_;
    bool busy_ = false;
    bool downloading_ = false;
    bool closeWhenDone_ = false;
};
