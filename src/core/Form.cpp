#include "core/Form.h"

#include "core/OwnedWindows.h"

#include <QCloseEvent>
#include <QHideEvent>

Form::Form(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags | Qt::Window)
{
    OwnedWindows::install();
}

void Form::closeEvent(QCloseEvent *event)
{
    event->ignore();
    emit closeRequested();
}

void Form::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        emit hidden();
    }
}
