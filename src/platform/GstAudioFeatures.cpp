#include "platform/GstAudioFeatures.h"

#include <gst/gst.h>

#include <cstring>
#include <initializer_list>

namespace platform {
namespace {

bool takesNoPart(GstPluginFeature *feature)
{
    if (GST_IS_DEVICE_PROVIDER_FACTORY(feature)) {
        return true;
    }
    return GST_IS_ELEMENT_FACTORY(feature) && !playsAudioFiles(gst_element_factory_get_metadata(
                                                  GST_ELEMENT_FACTORY(feature), GST_ELEMENT_METADATA_KLASS));
}

void removeEmptyPlugins(GstRegistry *registry)
{
    GList *plugins = gst_registry_get_plugin_list(registry);
    for (GList *p = plugins; p; p = p->next) {
        auto *plugin = GST_PLUGIN(p->data);
        GList *features = gst_registry_get_feature_list_by_plugin(registry, gst_plugin_get_name(plugin));
        if (!features) {
            gst_registry_remove_plugin(registry, plugin);
        }
        gst_plugin_feature_list_free(features);
    }
    gst_plugin_list_free(plugins);
}

} // namespace

bool playsAudioFiles(const char *klass)
{
    if (!klass) {
        return true;
    }
    for (const char *word : {"Video", "Image", "Subtitle", "Encoder", "Muxer", "Payloader", "Depayloader",
                             "Network", "Visualization"}) {
        if (std::strstr(klass, word)) {
            return false;
        }
    }
    return true;
}

void keepAudioFeaturesOnly()
{
    GstRegistry *registry = gst_registry_get();
    // In the registry's own order: each removal then finds its feature near the head of
    // the registry's list instead of walking all of it.
    GList *features = g_list_reverse(
        g_list_concat(gst_registry_get_feature_list(registry, GST_TYPE_ELEMENT_FACTORY),
                      gst_registry_get_feature_list(registry, GST_TYPE_DEVICE_PROVIDER_FACTORY)));
    for (GList *f = features; f; f = f->next) {
        if (takesNoPart(GST_PLUGIN_FEATURE(f->data))) {
            gst_registry_remove_feature(registry, GST_PLUGIN_FEATURE(f->data));
        }
    }
    gst_plugin_feature_list_free(features);
    removeEmptyPlugins(registry);
}

} // namespace platform
