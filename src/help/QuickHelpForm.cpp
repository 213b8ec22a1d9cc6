#include "help/QuickHelpForm.h"

#include "core/DialogLayout.h"
#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "help/DockPlace.h"
#include "help/HelpTexts.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int HelpTimerInterval = 200;
constexpr int InnerWidthTwips = 2070;
constexpr int InnerHeightTwips = 2910;

} // namespace

QuickHelpForm::QuickHelpForm() : Form(nullptr, Qt::Tool)
{
    setObjectName(QStringLiteral("QuickHelpForm"));
    setWindowTitle(QStringLiteral("クイックヘルプ"));
    resize(DialogLayout::px(InnerWidthTwips), DialogLayout::px(InnerHeightTwips));
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);

    HelpInfoMsg = new QPlainTextEdit(this);
    HelpInfoMsg->setObjectName(QStringLiteral("HelpInfoMsg"));
    HelpInfoMsg->setReadOnly(true);
    HelpInfoMsg->setFrameShape(QFrame::NoFrame);
    QPalette tip = HelpInfoMsg->palette();
    tip.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    tip.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
    HelpInfoMsg->setPalette(tip);
    HelpInfoMsg->viewport()->installEventFilter(this);

    HelpTimer = new QTimer(this);
    HelpTimer->setObjectName(QStringLiteral("HelpTimer"));
    HelpTimer->setInterval(HelpTimerInterval);
    connect(HelpTimer, &QTimer::timeout, this, &QuickHelpForm::HelpTimer_Timer);
    HelpTimer->start();
}

QWidget *QuickHelpForm::ownerOf(const QString &context)
{
    const FormRegistry &forms = FormRegistry::instance();
    if (context == u"Folder") {
        return forms.find(WindowKind::FolderForm);
    }
    if (context == u"FolderSearch") {
        return forms.find(WindowKind::FolderSearchForm);
    }
    if (context == u"PlayList") {
        return forms.find(WindowKind::PlayListForm);
    }
    return nullptr;
}

void QuickHelpForm::Form_Load()
{
    HelpTimer_Timer();
    Form_Resize();
    show();
}

void QuickHelpForm::Form_Unload()
{
    sys().HelpContext.clear();
    sys().ShownHelpContext.clear();
}

void QuickHelpForm::HelpTimer_Timer()
{
    SystemDataBox &box = sys();
    if (QWidget *owner = ownerOf(box.HelpContext)) {
        dockTo(owner);
    }
    if (box.ShownHelpContext != box.HelpContext) {
        if (const std::optional<QString> text = helpText(box.HelpContext)) {
            HelpInfoMsg->setPlainText(*text);
        }
        box.ShownHelpContext = box.HelpContext;
    }
}

void QuickHelpForm::dockTo(QWidget *owner)
{
    const QScreen *screen = owner->screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    const QRect edge = owner->frameGeometry();
    const QPoint place = available.isEmpty() ? QPoint(edge.x() + edge.width(), edge.y())
                                             : dockPlace(edge, frameGeometry().size(), available);
    if (frameGeometry().topLeft() != place) {
        move(place);
    }
    // Kept above its owner by the window manager rather than by always-on-top.
    QWindow *panel = windowHandle();
    QWindow *ownerWindow = owner->windowHandle();
    if (panel != nullptr && ownerWindow != nullptr && panel->transientParent() != ownerWindow) {
        panel->setTransientParent(ownerWindow);
    }
}

void QuickHelpForm::Form_Resize()
{
    // Fills the panel's inner area, whatever frame the desktop draws around it.
    HelpInfoMsg->setGeometry(rect());
}

void QuickHelpForm::resizeEvent(QResizeEvent *event)
{
    Form::resizeEvent(event);
    Form_Resize();
}

void QuickHelpForm::Form_Activate()
{
    if (QWidget *owner = ownerOf(sys().HelpContext)) {
        owner->activateWindow();
    }
}

bool QuickHelpForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
    }
    return Form::event(event);
}

void QuickHelpForm::HelpInfoMsg_MouseDown()
{
    postLeftButtonDown();
}

void QuickHelpForm::HelpInfoMsg_DblClick()
{
    postLeftButtonDown();
}

void QuickHelpForm::postLeftButtonDown()
{
    const QPointF origin(0, 0);
    QCoreApplication::postEvent(this, new QMouseEvent(QEvent::MouseButtonPress, origin, mapToGlobal(origin),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
}

bool QuickHelpForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == HelpInfoMsg->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            HelpInfoMsg_MouseDown();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            HelpInfoMsg_DblClick();
        }
    }
    return Form::eventFilter(watched, event);
}
