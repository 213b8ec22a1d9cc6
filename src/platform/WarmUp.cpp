#include "platform/WarmUp.h"

#include "platform/GstPlaybin.h"

#include <fontconfig/fontconfig.h>

namespace platform {
namespace {

void loadCommonPlugins()
{
    if (!gstReady()) {
        return;
    }
    // The parts of playbin that every file needs, the desktop's output and MP3's parser
    // and decoder, the commonest; other decoders wait for their files.
    for (const char *name :
         {"playbin", "filesrc", "typefind", "audioconvert", "audioresample", "volume", "audiobuffersplit",
          "autoaudiosink", "pulsesink", "mpegaudioparse", "mpg123audiodec"}) {
        if (GstPluginFeature *feature = gst_registry_lookup_feature(gst_registry_get(), name)) {
            if (GstPluginFeature *loaded = gst_plugin_feature_load(feature)) {
                gst_object_unref(loaded);
            }
            gst_object_unref(feature);
        }
    }
    // What a file is, is found out by these for every track.
    if (GstPlugin *typeFinders = gst_plugin_load_by_name("typefindfunctions")) {
        gst_object_unref(typeFinders);
    }
}

} // namespace

WarmUp::WarmUp() : media_(loadCommonPlugins), fonts_([] { FcInit(); }) {}

WarmUp::~WarmUp()
{
    media_.join();
    fonts_.join();
}

} // namespace platform
