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

protected:
    // Closing a window from its title bar unloads it.
    void closeEvent(QCloseEvent *event) override;
};
