#pragma once

#include <QColor>
#include <QString>

// Colours of the time, title and counter labels, chosen by the DColor setting:
// "0".."9" pick from the table, any other decimal number is a colour value
// with red in the low byte; empty or unusable text gives the standard colour.
QColor textColourOf(const QString &dColor);

// A colour value of its own, which no entry of the colour list stands for.
bool isColourValue(const QString &dColor);

// The status label's own colours.
inline const QColor StatusDarkRed{128, 0, 0};
inline const QColor StatusDarkGreen{0, 128, 0};
