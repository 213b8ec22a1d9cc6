#pragma once

#include "core/Form.h"

class QPlainTextEdit;
class QTimer;

// The quick help panel: docks beside the window named by the shared help
// context, at its right edge where the screen has room, and shows that
// window's help text.
class QuickHelpForm : public Form {
    Q_OBJECT
public:
    QuickHelpForm();

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Activate();
    void Form_Resize();
    void HelpTimer_Timer();
    void HelpInfoMsg_MouseDown();
    void HelpInfoMsg_DblClick();

    QTimer *HelpTimer = nullptr;
    QPlainTextEdit *HelpInfoMsg = nullptr;

    // The window a help context names, or none.
    static QWidget *ownerOf(const QString &context);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void dockTo(QWidget *owner);
    void postLeftButtonDown();
};
