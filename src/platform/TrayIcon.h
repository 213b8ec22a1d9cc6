#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <memory>

class QMenu;
class QSystemTrayIcon;

// The player's icon in the desktop's tray. Only presses on the icon itself
// are reported: left and right button down, each once the click is handled.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject *parent = nullptr);
    ~TrayIcon() override;

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

    void openMenuOnRightPress();

    QSystemTrayIcon *icon_ = nullptr;
    std::unique_ptr<QMenu> menu_;
    QElapsedTimer lastLeft_;
};
