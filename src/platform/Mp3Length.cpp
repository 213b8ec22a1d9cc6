#include "platform/Mp3Length.h"

namespace platform {
namespace {

struct FrameHeader {
    int bitrate = 0; // bits a second
    int rate = 0;
    int bytes = 0;
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
    } else {
        frame.bytes = (layer == 3 && !mpeg1 ? 72 : 144) * frame.bitrate / frame.rate + padding;
    }
    return frame;
}

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
    const QByteArrayView firstFrame = frames.first(std::min<qsizetype>(first->bytes, frames.size()));
    for (const char *table : {"Xing", "Info", "VBRI"}) {
        if (firstFrame.indexOf(QByteArrayView(table)) >= 0) {
            return std::nullopt;
        }
    }
    // A few frames at least, so that a stray sync word is not taken for a stream.
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
    if (whole < 4) {
        return std::nullopt;
    }
    return audioBytes * 8 * 1000 / first->bitrate;
}

} // namespace platform
