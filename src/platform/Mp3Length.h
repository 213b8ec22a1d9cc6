#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace platform {

// Bytes of the ID3v2 tag at the start of an MP3 (header and footer included), 0 without one.
qint64 id3v2Size(QByteArrayView head);

// The length of a constant-bitrate MPEG audio stream from its first frames: every
// whole frame in `frames` has the same bitrate and rate, and the first names no
// Xing, Info or VBRI table. Otherwise (variable bitrate, or not MPEG audio at all)
// none. `audioBytes` is the stream's size from its first frame to the end.
std::optional<qint64> constantBitrateLengthMs(QByteArrayView frames, qint64 audioBytes);

// Up to `count` bytes of a stream from `offset` on; fewer at its end.
using StreamReader = std::function<QByteArray(qint64 offset, qsizetype count)>;

// The length of an MPEG audio stream of any bitrate, from the headers of its frames:
// walked to the first bytes that are not a frame (a tag at the end), or to `walkLimit`
// bytes, past which the rest of the stream's `audioBytes` counts at the mean bitrate so
// far. A first frame that holds a Xing, Info or VBRI table is no audio. None when the
// stream does not begin with a few whole frames.
std::optional<qint64> walkedLengthMs(const StreamReader &read, qint64 audioBytes, qint64 walkLimit);

} // namespace platform
