#include "platform/Mp3Length.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

struct Frames {
    QByteArray header; // four bytes
    int bytes;         // the frame's whole size, as the header gives it
    int count;
    QByteArray inside = {};
};

QByteArray stream(const std::vector<Frames> &runs)
{
    QByteArray bytes;
    for (const Frames &run : runs) {
        for (int i = 0; i < run.count; ++i) {
            QByteArray frame = run.header + run.inside;
            frame.resize(run.bytes, '\0');
            bytes += frame;
        }
    }
    return bytes;
}

} // namespace

TEST(Mp3Length, MeasuresStreamsFromTheirFramesAndLeavesTheRestToTheDiscoverer)
{
    constexpr qint64 audioBytes = 1600000;
    constexpr qint64 noLimit = audioBytes;
    const QByteArray mpeg1Layer3At128{"\xff\xfb\x90\x00", 4};
    const QByteArray padded{"\xff\xfb\x92\x00", 4};
    const Frames at160{{"\xff\xfb\xa0\x00", 4}, 522, 4};
    const struct {
        const char *name;
        std::vector<Frames> frames;
        std::optional<qint64> constant; // from the first frames
        std::optional<qint64> walked;   // from every frame's header
        qint64 walkLimit = noLimit;
    } rows[] = {
        {"MPEG 1 layer III, 128 kb/s", {{mpeg1Layer3At128, 417, 8}}, 100000, 209},
        {"padded frames between",
         {{mpeg1Layer3At128, 417, 3}, {padded, 418, 1}, {mpeg1Layer3At128, 417, 4}},
         100000,
         209},
        {"MPEG 2 layer III, 64 kb/s at 22050 Hz", {{{"\xff\xf3\x80\x00", 4}, 208, 8}}, 200000, 209},
        {"MPEG 1 layer II, 192 kb/s at 48 kHz", {{{"\xff\xfd\xa4\x00", 4}, 576, 8}}, 66666, 192},
        {"variable bitrate", {{mpeg1Layer3At128, 417, 4}, at160}, std::nullopt, 209},
        {"variable bitrate, walked to a limit and the rest at the mean so far",
         {{mpeg1Layer3At128, 417, 4}, at160},
         std::nullopt,
         100230,
         4 * 417},
        {"frames across the reader's pieces", {{mpeg1Layer3At128, 417, 200}, at160}, std::nullopt, 5329},
        {"a tag at the end", {{mpeg1Layer3At128, 417, 8}, {"TAG", 128, 1}}, 100000, 209},
        {"a Xing table, which is no audio",
         {{mpeg1Layer3At128, 417, 1, QByteArray(32, '\0') + "Xing"}, {mpeg1Layer3At128, 417, 7}},
         std::nullopt,
         183},
        {"two frames only", {{mpeg1Layer3At128, 417, 2}}, std::nullopt, std::nullopt},
        {"not MPEG audio", {{"RIFF", 417, 8}}, std::nullopt, std::nullopt},
    };
    for (const auto &row : rows) {
        const QByteArray bytes = stream(row.frames);
        EXPECT_EQ(platform::constantBitrateLengthMs(bytes, audioBytes), row.constant) << row.name;
        const auto read = [&bytes](qint64 offset, qsizetype count) { return bytes.mid(offset, count); };
        EXPECT_EQ(platform::walkedLengthMs(read, audioBytes, row.walkLimit), row.walked) << row.name;
    }

    EXPECT_EQ(platform::id3v2Size(QByteArray("ID3\x04\x00\x00\x00\x00\x02\x01", 10)), 267);
    EXPECT_EQ(platform::id3v2Size(QByteArray("ID3\x04\x00\x10\x00\x00\x02\x01", 10)), 277) << "with a footer";
    EXPECT_EQ(platform::id3v2Size(mpeg1Layer3At128 + QByteArray(6, '\0')), 0);
}
