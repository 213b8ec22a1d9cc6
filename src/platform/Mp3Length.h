#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

namespace platform {

// Bytes of the ID3v2 tag at the start of an MP3 (header and footer included), 0 without one.
qint64 id3v2Size(QByteArrayView head);

// The length of a constant-bitrate MPEG audio stream from its first frames: every
// whole frame in `frames` has the same bitrate and rate, and the first names no
// Xing, Info or VBRI table. Otherwise (variable bitrate, or not MPEG audio at all)
// none. `audioBytes` is the stream's size from its first frame to the end.
std::optional<qint64> constantBitrateLengthMs(QByteArrayView frames, qint64 audioBytes);

} // namespace platform
