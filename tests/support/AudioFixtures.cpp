#include "support/AudioFixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <gst/gst.h>

namespace AudioFixtures {
namespace {

// Runs "tone ! <encoder> ! filesink" to the end; the file name goes in as a
// property so that any character is fine. 10 ms buffers at 44.1 kHz stereo.
bool encode(const QString &path, const char *encoder, int ms)
{
    if (!gst_is_initialized()) {
        gst_init(nullptr, nullptr);
    }
    const QByteArray description =
        "audiotestsrc wave=sine freq=440 volume=0.3 samplesperbuffer=441 num-buffers=" +
        QByteArray::number(std::max(1, ms / 10)) +
        " ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! audioconvert ! " + encoder +
        " ! filesink name=out";
    GstElement *pipeline = gst_parse_launch(description.constData(), nullptr);
    if (!pipeline) {
        return false;
    }
    GstElement *out = gst_bin_get_by_name(GST_BIN(pipeline), "out");
    g_object_set(out, "location", QFile::encodeName(path).constData(), nullptr);
    gst_object_unref(out);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus *bus = gst_element_get_bus(pipeline);
    GstMessage *message =
        gst_bus_timed_pop_filtered(bus, 30 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ok = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message) {
        gst_message_unref(message);
    }
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

// Rewraps an AIFF file as AIFF-C with uncompressed ('NONE') samples.
QByteArray aifcFromAiff(const QByteArray &aiff)
{
    QByteArray comm;
    QByteArray ssnd;
    for (qsizetype at = 12; at + 8 <= aiff.size();) {
        const QByteArray id = aiff.mid(at, 4);
        const qsizetype size = qFromBigEndian<quint32>(aiff.constData() + at + 4);
        if (id == "COMM" || id == "SSND") {
            (id == "COMM" ? comm : ssnd) = aiff.mid(at + 8, size);
        }
        at += 8 + size + (size % 2);
    }
    if (comm.size() < 18 || ssnd.isEmpty()) {
        return {};
    }
    const QByteArray commC = comm.left(18) + "NONE" + char(14) + "not compressed" + '\0';
    return chunk("FORM",
                 "AIFC" + chunk("FVER", word(0xA2805140)) + chunk("COMM", commC) + chunk("SSND", ssnd));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString writeFile(const QString &dir, const QString &fileName, const QByteArray &content)
{
    QFile file(dir + u'/' + fileName);
    const bool ok =
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
    return ok ? file.fileName() : QString();
}

QString makeTone(const QString &dir, const QString &fileName, int ms)
{
    const QString path = dir + u'/' + fileName;
    const QString type = QFileInfo(fileName).suffix().toLower();
    const QByteArray midi = standardMidiFile(ms);
    bool ok = false;
    if (type == u"wav") {
        ok = encode(path, "wavenc", ms);
    } else if (type == u"mp3") {
        ok = encode(path, "lamemp3enc ! xingmux", ms);
    } else if (type == u"wma") {
        ok = encode(path, "avenc_wmav2 ! asfmux", ms);
    } else if (type == u"aif" || type == u"aiff") {
        ok = encode(path, "aiffmux", ms);
    } else if (type == u"aifc") {
        ok = encode(path, "aiffmux", ms) && !writeFile(dir, fileName, aifcFromAiff(readAll(path))).isEmpty();
    } else if (type == u"au" || type == u"snd") {
        ok = encode(path, "avmux_au", ms);
    } else if (type == u"mid" || type == u"midi") {
        ok = !writeFile(dir, fileName, midi).isEmpty();
    } else if (type == u"rmi") {
        ok = !writeFile(dir, fileName, chunk("RIFF", "RMID" + chunk("data", midi, false), false)).isEmpty();
    }
    return ok ? path : QString();
}

QString makeMp3WithoutXing(const QString &dir, const QString &fileName, int ms)
{
    const QString path = dir + u'/' + fileName;
    return encode(path, "lamemp3enc target=bitrate bitrate=128 cbr=true", ms) ? path : QString();
}

} // namespace AudioFixtures
