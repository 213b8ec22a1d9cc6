#include "mainwindow/MainForm.h"

#include "mainwindow/SkinPicture.h"
#include "mainwindow/WindowRegion.h"
#include "mainwindow/WindowTopModule.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QPainter>

void MainForm::MakeWindowRegion()
{
    const QRegion region = regionFromSkin(MainPicture);
    // An empty region would clear the mask rather than cut anything.
    if (!region.isEmpty()) {
        setMask(region);
    }
    if (!region.isEmpty() && mask() == region) {
        WindowTopModule::WindowTop(*this, WindowTopModule::Topmost);
        return;
    }
    platform::showMessage(this, {QStringLiteral("フォームの変形に失敗しました。"),
                                 QApplication::applicationDisplayName(), platform::MessageIcon::None,
                                 platform::MessageButtons::Ok});
    clearMask();
    // A player that never appears could not be reached at all: show it, rectangular.
    show();
}

void MainForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinPicture(painter, background_);
}
