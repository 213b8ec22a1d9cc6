#include "app/Form.h"

#include "app/FormRegistry.h"

#include <QCloseEvent>

Form::Form(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags | Qt::Window) {}

void Form::closeEvent(QCloseEvent *event)
{
    event->ignore();
    FormRegistry::instance().unload(this);
}
