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
    // The parts of playbin that every file and output needs; decoders depend on the file.
    for (const char *name :
         {"playbin", "filesrc", "typefind", "audioconvert", "audioresample", "volume", "autoaudiosink"}) {
        if (GstPluginFeature *feature = gst_registry_lookup_feature(gst_registry_get(), name)) {
            if (GstPluginFeature *loaded = gst_plugin_feature_load(feature)) {
                gst_object_unref(loaded);
            }
            gst_object_unref(feature);
        }
    }
}

void warmUp()
{
    // The fonts are needed first, by the window; the media a moment later.
    FcInit();
    loadCommonPlugins();
}

} // namespace

WarmUp::WarmUp() : thread_(warmUp) {}

WarmUp::~WarmUp()
{
    thread_.join();
}

} // namespace platform
