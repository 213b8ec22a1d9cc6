#include "playback/DecoderPackages.h"
#include "playback/ResumePoint.h"

#include <gtest/gtest.h>

TEST(DecoderPackages, TheCapsAPlugInIsMissingForNameItsPackage)
{
    const struct {
        const char *detail, *package;
    } rows[] = {
        {"gstreamer|1.0|lyrabox3|MPEG-1 Layer 3 (MP3) decoder|decoder-audio/mpeg, mpegversion=(int)1, "
         "layer=(int)3",
         "gstreamer1.0-plugins-good"},
        {"gstreamer|1.0|lyrabox3|MPEG-4 AAC decoder|decoder-audio/mpeg, mpegversion=(int)4",
         "gstreamer1.0-libav"},
        {"gstreamer|1.0|lyrabox3|Opus decoder|decoder-audio/x-opus", "gstreamer1.0-plugins-base"},
        {"gstreamer|1.0|lyrabox3|Monkey's Audio decoder|decoder-audio/x-ffmpeg-parsed-ape", ""},
        {"gstreamer|1.0|lyrabox3|GStreamer element foo|element-foo", ""},
        {"damaged", ""},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(DecoderPackages::debianPackageFor(QString::fromUtf8(row.detail)),
                  QString::fromUtf8(row.package))
            << row.detail;
    }
}

TEST(ResumePoint, ADamagedSettingResumesNothing)
{
    for (const char *damaged : {"", "61000", "61000 ", "x /m/a.mp3", "-5 /m/a.mp3", " /m/a.mp3"}) {
        EXPECT_FALSE(ResumePoint::fromText(QString::fromUtf8(damaged))) << damaged;
    }
}
