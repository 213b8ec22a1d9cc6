#include "platform/TrackTags.h"

#include "platform/FileNameCodec.h"

#include <gst/pbutils/pbutils.h>
#include <gst/tag/tag.h>

namespace platform {
namespace {

constexpr GstClockTime kTagWait = 3 * GST_SECOND;

QString text(const GstTagList *tags, const char *tag)
{
    gchar *value = nullptr;
    if (!gst_tag_list_get_string(tags, tag, &value)) {
        return {};
    }
    QString result = QString::fromUtf8(value).trimmed();
    g_free(value);
    return result;
}

QStringList texts(const GstTagList *tags, const char *tag)
{
    QStringList result;
    for (guint i = 0; i < gst_tag_list_get_tag_size(tags, tag); ++i) {
        const gchar *value = nullptr;
        if (gst_tag_list_peek_string_index(tags, tag, i, &value)) {
            const QString one = QString::fromUtf8(value).trimmed();
            if (!one.isEmpty() && !result.contains(one)) {
                result << one;
            }
        }
    }
    return result;
}

GstTagImageType imageType(GstSample *sample)
{
    const GstStructure *info = gst_sample_get_info(sample);
    gint type = GST_TAG_IMAGE_TYPE_UNDEFINED;
    if (info) {
        gst_structure_get_enum(info, "image-type", GST_TYPE_TAG_IMAGE_TYPE, &type);
    }
    return GstTagImageType(type);
}

// The front cover where the file marks one, else the first picture it holds.
void takeCover(const GstTagList *tags, TrackTags &into)
{
    GstSample *chosen = nullptr;
    for (guint i = 0; i < gst_tag_list_get_tag_size(tags, GST_TAG_IMAGE); ++i) {
        GstSample *sample = nullptr;
        if (!gst_tag_list_get_sample_index(tags, GST_TAG_IMAGE, i, &sample)) {
            continue;
        }
        if (!chosen || imageType(sample) == GST_TAG_IMAGE_TYPE_FRONT_COVER) {
            std::swap(chosen, sample);
        }
        g_clear_pointer(&sample, gst_sample_unref);
        if (imageType(chosen) == GST_TAG_IMAGE_TYPE_FRONT_COVER) {
            break;
        }
    }
    if (!chosen) {
        return;
    }
    GstMapInfo map;
    GstBuffer *buffer = gst_sample_get_buffer(chosen);
    if (buffer && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        into.cover = QByteArray(reinterpret_cast<const char *>(map.data), qsizetype(map.size));
        gst_buffer_unmap(buffer, &map);
    }
    if (GstCaps *caps = gst_sample_get_caps(chosen); caps && !gst_caps_is_empty(caps)) {
        into.coverType = gst_structure_get_name(gst_caps_get_structure(caps, 0));
    }
    gst_sample_unref(chosen);
}

TrackTags fromTagList(const GstTagList *tags)
{
    TrackTags result;
    result.title = text(tags, GST_TAG_TITLE);
    result.artists = texts(tags, GST_TAG_ARTIST);
    result.album = text(tags, GST_TAG_ALBUM);
    guint number = 0;
    if (gst_tag_list_get_uint(tags, GST_TAG_TRACK_NUMBER, &number)) {
        result.trackNumber = int(number);
    }
    takeCover(tags, result);
    return result;
}

// The container's and the audio stream's tags together; the first one found of a tag wins.
GstTagList *streamTags(GstDiscovererInfo *info)
{
    GstTagList *all = gst_tag_list_new_empty();
    GList *streams = gst_discoverer_info_get_stream_list(info);
    for (GList *s = streams; s; s = s->next) {
        if (const GstTagList *tags =
                gst_discoverer_stream_info_get_tags(GST_DISCOVERER_STREAM_INFO(s->data))) {
            gst_tag_list_insert(all, tags, GST_TAG_MERGE_KEEP);
        }
    }
    gst_discoverer_stream_info_list_free(streams);
    return all;
}

} // namespace

TrackTags readTrackTags(const QString &path)
{
    gst_init(nullptr, nullptr);
    TrackTags result;
    GError *error = nullptr;
    GstDiscoverer *discoverer = gst_discoverer_new(kTagWait, &error);
    if (!discoverer) {
        g_clear_error(&error);
        return result;
    }
    gchar *uri = gst_filename_to_uri(encodeFileName(path).constData(), nullptr);
    GstDiscovererInfo *info = uri ? gst_discoverer_discover_uri(discoverer, uri, &error) : nullptr;
    g_free(uri);
    if (info) {
        GstTagList *tags = streamTags(info);
        result = fromTagList(tags);
        gst_tag_list_unref(tags);
        gst_discoverer_info_unref(info);
    }
    g_clear_error(&error);
    g_object_unref(discoverer);
    return result;
}

} // namespace platform
