#pragma once

#include <QElapsedTimer>
#include <QObject>

class QSystemTrayIcon;

// The player's icon in the desktop's tray. Only presses on the icon itself
// are reported: left and right button down, each once the click is handled.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject *parent = nullptr);

    // False when the desktop has no tray to put the icon into.
    static bool available();
    void add();
    void remove();
    bool isShown() const;

signals:
    void leftPressed();
    void rightPressed();

private:
    void iconActivated(int reason);

    QSystemTrayIcon *icon_ = nullptr;
    QElapsedTimer lastLeft_;
};
