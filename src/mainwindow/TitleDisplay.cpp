#include "mainwindow/MainForm.h"
#include "mainwindow/TitleScroller.h"

#include <QLabel>

void MainForm::setTitle(const QString &title)
{
    FileNameLabel->setText(title);
    FileNameLabel->resize(FileNameLabel->sizeHint().width(), TitleBox->height());
    FileNameLabel_Change();
}

void MainForm::FileNameLabel_Change()
{
    titleScroller->titleChanged();
}

void MainForm::TitleTimer_Timer()
{
    titleScroller->tick();
}
