#include "core/OwnedWindows.h"

#include "core/FormRegistry.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWindow>

namespace OwnedWindows {
namespace {

QWindow *ownerFor(const QWidget &window)
{
    const Form *main = FormRegistry::instance().find(WindowKind::MainForm);
    if (main == nullptr || main == &window || !main->isVisible()) {
        return nullptr;
    }
    return main->windowHandle();
}

// A window that already belongs to a shown window of the main window's (the help panel to the
// window it serves) stays with it.
bool belongsTo(const QWindow *window, const QWindow *owner)
{
    for (; window != nullptr && window->isVisible(); window = window->transientParent()) {
        if (window == owner) {
            return true;
        }
    }
    return false;
}

// Runs before the window is mapped, when the window manager still reads what it is.
void own(QWidget &window)
{
    const Qt::WindowType type = window.windowType();
    QWindow *handle = window.windowHandle();
    if (handle == nullptr || (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool)) {
        return;
    }
    if (QWindow *owner = ownerFor(window)) {
        if (!belongsTo(handle->transientParent(), owner)) {
            handle->setTransientParent(owner);
        }
        // Only dialog and tool windows tell the window manager whom they belong to.
        if (type == Qt::Window) {
            handle->setFlags(handle->flags() | Qt::Dialog);
        }
    } else if (qobject_cast<QMessageBox *>(&window) != nullptr) {
        handle->setFlags(handle->flags() | Qt::WindowStaysOnTopHint);
    }
}

class ShowWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && object->isWidgetType()) {
            if (auto *window = static_cast<QWidget *>(object); window->isWindow()) {
                own(*window);
            }
        }
        return false;
    }
};

} // namespace

void install()
{
    static ShowWatcher *watcher = nullptr;
    if (watcher == nullptr && qApp != nullptr) {
        watcher = new ShowWatcher(qApp);
        qApp->installEventFilter(watcher);
    }
}

} // namespace OwnedWindows
