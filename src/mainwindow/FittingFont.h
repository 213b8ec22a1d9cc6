#pragma once

#include <QFont>
#include <QString>

// The font in which `widest` fits `width` pixels at every scale a screen may
// use (hinting makes text a little wider or narrower at each): the given
// font, condensed first and made smaller only when condensing is not enough.
QFont fittingFont(QFont font, const QString &widest, int width);
