#include "platform/Mp3Length.h"

#include <cmath>

namespace platform {
namespace {

struct FrameHeader {
    int bitrate = 0; // bits a second
    int rate = 0;
    int bytes = 0;
    int samples = 0;
};

constexpr int kBitrates[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG 1, layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG 1, layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG 1, layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG 2 and 2.5, layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}, // MPEG 2 and 2.5, layers II and III
};
constexpr int kRates[3] = {44100, 48000, 32000};

std::optional<FrameHeader> frameAt(QByteArrayView data, qsizetype at)
{
    if (at + 4 > data.size()) {
        return std::nullopt;
    }
    const auto byte = [&](int i) { return static_cast<unsigned char>(data[at + i]); };
    const int version = (byte(1) >> 3) & 3; // 0: 2.5, 2: 2, 3: 1
    const int layer = 4 - ((byte(1) >> 1) & 3);
    const int bitrateIndex = byte(2) >> 4;
    const int rateIndex = (byte(2) >> 2) & 3;
    if (byte(0) != 0xff || (byte(1) & 0xe0) != 0xe0 || version == 1 || layer == 4 || bitrateIndex == 0 ||
        bitrateIndex == 15 || rateIndex == 3) {
        return std::nullopt;
    }
    const bool mpeg1 = version == 3;
    const int table = mpeg1 ? layer - 1 : (layer == 1 ? 3 : 4);
    FrameHeader frame;
    frame.bitrate = kBitrates[table][bitrateIndex] * 1000;
    frame.rate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const int padding = (byte(2) >> 1) & 1;
    if (layer == 1) {
        frame.bytes = (12 * frame.bitrate / frame.rate + padding) * 4;
        frame.samples = 384;
    } else {
        frame.bytes = (layer == 3 && !mpeg1 ? 72 : 144) * frame.bitrate / frame.rate + padding;
        frame.samples = layer == 3 && !mpeg1 ? 576 : 1152;
    }
    return frame;
}

bool holdsLengthTable(QByteArrayView frame)
{
    for (const char *table : {"Xing", "Info", "VBRI"}) {
        if (frame.indexOf(QByteArrayView(table)) >= 0) {
            return true;
        }
    }
    return false;
}

// A few frames at least, so that a stray sync word is not taken for a stream.
constexpr int kFewestFrames = 4;

} // namespace

qint64 id3v2Size(QByteArrayView head)
{
    if (head.size() < 10 || !head.startsWith("ID3")) {
        return 0;
    }
    qint64 size = 0;
    for (int i = 6; i < 10; ++i) {
        size = (size << 7) | (static_cast<unsigned char>(head[i]) & 0x7f);
    }
    const bool footer = (static_cast<unsigned char>(head[5]) & 0x10) != 0;
    return 10 + size + (footer ? 10 : 0);
}

std::optional<qint64> constantBitrateLengthMs(QByteArrayView frames, qint64 audioBytes)
{
    const std::optional<FrameHeader> first = frameAt(frames, 0);
    if (!first) {
        return std::nullopt;
    }
    if (holdsLengthTable(frames.first(std::min<qsizetype>(first->bytes, frames.size())))) {
        return std::nullopt;
    }
    int whole = 0;
    qsizetype at = 0;
    for (std::optional<FrameHeader> frame = first; frame && at + frame->bytes <= frames.size();
         frame = frameAt(frames, at)) {
        if (frame->bitrate != first->bitrate || frame->rate != first->rate) {
            return std::nullopt;
        }
        at += frame->bytes;
        ++whole;
    }
    if (whole < kFewestFrames) {
        return std::nullopt;
    }
    return audioBytes * 8 * 1000 / first->bitrate;
}

std::optional<qint64> walkedLengthMs(const StreamReader &read, qint64 audioBytes, qint64 walkLimit)
{
    // Read in pieces: only the headers matter, and the whole file is never held at once.
    constexpr qsizetype kPiece = 64 * 1024;
    QByteArray piece;
    qint64 pieceStart = 0;
    qint64 at = 0;
    qint64 frames = 0;
    double seconds = 0;
    bool ended = false;
    while (at < walkLimit && !ended) {
        if (at + 4 > pieceStart + piece.size()) {
            pieceStart = at;
            piece = read(at, kPiece);
        }
        const QByteArrayView here = QByteArrayView(piece).sliced(at - pieceStart);
        const std::optional<FrameHeader> frame = frameAt(here, 0);
        ended = !frame;
        if (frame) {
            if (frames > 0 || !holdsLengthTable(here.first(std::min<qsizetype>(frame->bytes, here.size())))) {
                seconds += double(frame->samples) / frame->rate;
            }
            ++frames;
            at += frame->bytes;
        }
    }
    if (frames < kFewestFrames) {
        return std::nullopt;
    }
    if (!ended && at < audioBytes) {
        seconds += seconds * double(audioBytes - at) / double(at);
    }
    return std::llround(seconds * 1000);
}

} // namespace platform
