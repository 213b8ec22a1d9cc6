#pragma once

#include <QList>
#include <QStringList>

#include <gst/gst.h>

// Features taken out of GStreamer's registry, as if their plug-ins were not installed,
// and put back when this ends.
class DecodersTakenOut {
public:
    explicit DecodersTakenOut(const QStringList &names)
    {
        for (const QString &name : names) {
            if (GstPluginFeature *feature =
                    gst_registry_lookup_feature(gst_registry_get(), name.toLatin1().constData())) {
                gst_registry_remove_feature(gst_registry_get(), feature);
                removed_ << feature;
            }
        }
    }
    ~DecodersTakenOut()
    {
        for (GstPluginFeature *feature : removed_) {
            gst_registry_add_feature(gst_registry_get(), feature);
            gst_object_unref(feature);
        }
    }
    DecodersTakenOut(const DecodersTakenOut &) = delete;
    DecodersTakenOut &operator=(const DecodersTakenOut &) = delete;

    qsizetype count() const { return removed_.size(); }

private:
    QList<GstPluginFeature *> removed_;
};
