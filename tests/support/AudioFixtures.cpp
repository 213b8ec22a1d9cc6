#include "support/AudioFixtures.h"
#include "support/TestFiles.h"

#include <QHash>
#include <QtEndian>

#include <cmath>

#include <gst/gst.h>
#include <gst/tag/tag.h>

namespace AudioFixtures {
namespace {

GstTagList *tagList(const ToneTags &tags)
{
    GstTagList *list = gst_tag_list_new_empty();
    for (const auto &[tag, value] :
         {std::pair{GST_TAG_TITLE, tags.title}, {GST_TAG_ARTIST, tags.artist}, {GST_TAG_ALBUM, tags.album}}) {
        if (!value.isEmpty()) {
            gst_tag_list_add(list, GST_TAG_MERGE_APPEND, tag, value.toUtf8().constData(), nullptr);
        }
    }
    if (tags.trackNumber > 0) {
        gst_tag_list_add(list, GST_TAG_MERGE_APPEND, GST_TAG_TRACK_NUMBER, guint(tags.trackNumber), nullptr);
    }
    if (GstSample *cover =
            gst_tag_image_data_to_image_sample(reinterpret_cast<const guint8 *>(tags.cover.constData()),
                                               guint(tags.cover.size()), GST_TAG_IMAGE_TYPE_FRONT_COVER)) {
        gst_tag_list_add(list, GST_TAG_MERGE_APPEND, GST_TAG_IMAGE, cover, nullptr);
        gst_sample_unref(cover);
    }
    return list;
}

// Runs "tone ! <encoder> ! filesink" to the end; the file name goes in as a property so that any character is
// fine. 10 ms buffers at 44.1 kHz stereo. `injected` goes in as taginject writes it; `tags`
// go to the element that writes them.
bool encode(const QString &path, const QByteArray &encoder, int ms, double volume = 0.3,
            const QByteArray &injected = {}, const ToneTags *tags = nullptr)
{
    gst_init(nullptr, nullptr);
    const QByteArray description =
        "audiotestsrc wave=sine freq=440 samplesperbuffer=441 volume=" + QByteArray::number(volume) +
        " num-buffers=" + QByteArray::number(std::max(1, ms / 10)) +
        " ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! audioconvert ! " +
        (injected.isEmpty() ? QByteArray() : "taginject name=tags ! ") + encoder + " ! filesink name=out";
    GstElement *pipeline = gst_parse_launch(description.constData(), nullptr);
    if (!pipeline) {
        return false;
    }
    GstElement *out = gst_bin_get_by_name(GST_BIN(pipeline), "out");
    g_object_set(out, "location", QFile::encodeName(path).constData(), nullptr);
    gst_object_unref(out);
    if (GstElement *tagger = gst_bin_get_by_name(GST_BIN(pipeline), "tags")) {
        g_object_set(tagger, "tags", injected.constData(), nullptr);
        gst_object_unref(tagger);
    }
    if (tags) {
        GstElement *setter = gst_bin_get_by_interface(GST_BIN(pipeline), GST_TYPE_TAG_SETTER);
        if (!setter) {
            gst_object_unref(pipeline);
            return false;
        }
        GstTagList *list = tagList(*tags);
        gst_tag_setter_merge_tags(GST_TAG_SETTER(setter), list, GST_TAG_MERGE_REPLACE);
        gst_tag_list_unref(list);
        gst_object_unref(setter);
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus *bus = gst_element_get_bus(pipeline);
    GstMessage *message =
        gst_bus_timed_pop_filtered(bus, 30 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ok = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    g_clear_pointer(&message, gst_message_unref);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return ok && QFileInfo(path).size() > 0;
}

QByteArray word(quint32 v, bool bigEndian = true)
{
    QByteArray b(4, '\0');
    bigEndian ? qToBigEndian(v, b.data()) : qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const char *id, const QByteArray &body, bool bigEndian = true)
{
    return id + word(quint32(body.size()), bigEndian) + body + QByteArray(body.size() % 2, '\0');
}

// Format 0, 480 ticks a quarter note at 120 bpm: one held A4.
QByteArray standardMidiFile(int ms)
{
    QByteArray ticks(1, char(quint32(ms * 480 / 500) & 0x7f));
    for (quint32 v = quint32(ms * 480 / 500) >> 7; v != 0; v >>= 7) {
        ticks.prepend(char(0x80 | (v & 0x7f)));
    }
    const QByteArray track =
        QByteArray::fromHex("00FF510307A12000C00000904564") + ticks + QByteArray::fromHex("80454000FF2F00");
    // No pad byte after the track: MIDI chunks are not RIFF chunks.
    return chunk("MThd", QByteArray::fromHex("0000000101E0")) + "MTrk" + word(quint32(track.size())) + track;
}

// AIFF-C with uncompressed ('NONE') samples: 44.1 kHz mono, 16 bits big-endian.
QByteArray aifc(int ms)
{
    const int frames = 441 * std::max(1, ms / 10);
    QByteArray samples;
    for (int i = 0; i < frames; ++i) {
        const auto v = quint16(qint16(9830 * std::sin(2 * M_PI * 440 * i / 44100)));
        samples += char(v >> 8);
        samples += char(v & 0xff);
    }
    // Channels, frames, bits and the rate as an 80-bit float.
    const QByteArray comm = QByteArray::fromHex("0001") + word(frames) +
                            QByteArray::fromHex("0010400EAC44000000000000") + "NONE" + char(14) +
                            "not compressed" + '\0';
    return chunk("FORM", "AIFC" + chunk("FVER", word(0xA2805140)) + chunk("COMM", comm) +
                             chunk("SSND", word(0) + word(0) + samples));
}

// The elements that encode a tone into a file of `type`, empty for a type none encodes.
// MP3 keeps its tags in an ID3v2 header, which lamemp3enc does not write.
QByteArray encoderFor(const QString &type, bool tagged)
{
    static const QHash<QString, const char *> encoders = {
        {"wav", "wavenc"},
        {"mp3", "lamemp3enc ! xingmux"},
        {"wma", "avenc_wmav2 ! asfmux"},
        {"aif", "aiffmux"},
        {"aiff", "aiffmux"},
        {"au", "avmux_au"},
        {"snd", "avmux_au"},
        {"flac", "flacenc"},
        {"ogg", "vorbisenc ! oggmux"},
        {"oga", "vorbisenc ! oggmux"},
        {"opus", "audioresample ! opusenc ! oggmux"},
        {"m4a", "avenc_aac ! mp4mux"},
        {"aac", "avenc_aac ! aacparse ! audio/mpeg,stream-format=adts"}};
    return QByteArray(encoders.value(type)) + (type == u"mp3" && tagged ? " ! id3v2mux" : "");
}

} // namespace

QString writeFile(const QString &dir, const QString &fileName, const QByteArray &content)
{
    const QString path = dir + u'/' + fileName;
    return ::writeFile(path, content) ? path : QString();
}

QString makeTone(const QString &dir, const QString &fileName, int ms, double volume, const QByteArray &tags,
                 const ToneTags *written)
{
    const QString path = dir + u'/' + fileName;
    const QString type = QFileInfo(fileName).suffix().toLower();
    const QByteArray midi = standardMidiFile(ms);
    if (type == u"mid" || type == u"midi") {
        return writeFile(dir, fileName, midi);
    }
    if (type == u"rmi") {
        return writeFile(dir, fileName, chunk("RIFF", "RMID" + chunk("data", midi, false), false));
    }
    if (type == u"aifc") {
        return writeFile(dir, fileName, aifc(ms));
    }
    const QByteArray encoder = encoderFor(type, !tags.isEmpty() || written);
    return !encoder.isEmpty() && encode(path, encoder, ms, volume, tags, written) ? path : QString();
}

QString makeMp3WithoutXing(const QString &dir, const QString &fileName, int ms)
{
    const QString path = dir + u'/' + fileName;
    return encode(path, "lamemp3enc target=bitrate bitrate=128 cbr=true", ms) ? path : QString();
}

} // namespace AudioFixtures
