#pragma once

#include <QImage>
#include <QList>
#include <QString>

struct Artwork {
    QString name; // file name without ".png"; "@2x" marks the double-size twin
    QImage image;
};

// The main window's skin, button pictures, lamps, cover and bars.
QList<Artwork> skinArtwork();
