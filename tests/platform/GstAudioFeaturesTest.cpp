#include "platform/GstAudioFeatures.h"

#include <gtest/gtest.h>

TEST(GstAudioFeatures, KeepsWhatCanTakePartInPlayingAnAudioFile)
{
    for (const char *klass :
         {"Source/File", "Generic", "Codec/Demuxer", "Codec/Demuxer/Metadata", "Codec/Parser/Audio",
          "Codec/Decoder/Audio", "Filter/Effect/Audio", "Generic/Bin/Player", "Sink/Audio", "Sink/File"}) {
        EXPECT_TRUE(platform::playsAudioFiles(klass)) << klass;
    }
    for (const char *klass : {"Codec/Decoder/Video", "Codec/Parser/Video", "Codec/Decoder/Image",
                              "Codec/Parser/Subtitle", "Codec/Encoder/Audio", "Codec/Muxer",
                              "Codec/Depayloader/Network/RTP", "Source/Network", "Visualization"}) {
        EXPECT_FALSE(platform::playsAudioFiles(klass)) << klass;
    }
}
