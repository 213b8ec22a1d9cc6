#pragma once

#include <QWidget>

// A window of the player. Loading runs Form_Load to completion; unloading runs
// Form_Unload and destroys the window. Hiding is not unloading.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    virtual void Form_Load() {}
    virtual void Form_Unload() {}

signals:
    // Emitted by the form registry once the window is unloaded.
    void unloaded();
    // The program hid the window (not the window manager minimising it).
    void hidden();
    // Its title bar's close: the form registry unloads it.
    void closeRequested();

protected:
    // Closing a window from its title bar unloads it.
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};
