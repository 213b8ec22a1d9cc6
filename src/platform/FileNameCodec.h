#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// File names on Linux are bytes, usually UTF-8. A byte that is not part of valid
// UTF-8 is carried in the text as the lone surrogate U+DC00 + byte, so that any
// name survives the round trip and a folder registered by it always opens.
namespace platform {

QString decodeFileName(QByteArrayView bytes);
QByteArray encodeFileName(const QString &name);
// What a person sees: every carried byte becomes the replacement mark U+FFFD.
QString visibleFileName(const QString &name);

} // namespace platform
