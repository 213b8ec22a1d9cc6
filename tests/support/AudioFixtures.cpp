#include "support/AudioFixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <gst/gst.h>

namespace AudioFixtures {
namespace {

constexpr int kRate = 44100;
constexpr int kSamplesPerBuffer = kRate / 100; // 10 ms

QString fullPath(const QString &dir, const QString &fileName)
{
    return dir + u'/' + fileName;
}

// Runs "<source> ! <encoder> ! filesink" to the end; the file name goes in as a
// property so that any character is fine.
bool encode(const QString &path, const char *encoder, int ms)
{
    if (!gst_is_initialized()) {
        gst_init(nullptr, nullptr);
    }
    const QByteArray description =
        QByteArray("audiotestsrc wave=sine freq=440 volume=0.3 samplesperbuffer=") +
        QByteArray::number(kSamplesPerBuffer) + " num-buffers=" + QByteArray::number(std::max(1, ms / 10)) +
        " ! audio/x-raw,format=S16LE,rate=" + QByteArray::number(kRate) + ",channels=2 ! audioconvert ! " +
        encoder + " ! filesink name=out";
    GError *error = nullptr;
    GstElement *pipeline = gst_parse_launch(description.constData(), &error);
    if (!pipeline) {
        g_clear_error(&error);
        return false;
    }
    g_clear_error(&error);
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

QByteArray be32(quint32 v)
{
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray variableLength(quint32 value)
{
    QByteArray bytes(1, char(value & 0x7f));
    while (value >>= 7) {
        bytes.prepend(char(0x80 | (value & 0x7f)));
    }
    return bytes;
}

// Format 0, 480 ticks a quarter note at 120 bpm: one tick is 500/480 ms.
QByteArray standardMidiFile(int ms)
{
    QByteArray track;
    track += QByteArray::fromHex("00FF510307A120"); // tempo 500000 us
    track += QByteArray::fromHex("00C000");         // piano
    track += QByteArray::fromHex("00904564");       // note on A4
    track += variableLength(quint32(qint64(ms) * 480 / 500));
    track += QByteArray::fromHex("804540"); // note off
    track += QByteArray::fromHex("00FF2F00");
    return QByteArray("MThd") + be32(6) + QByteArray::fromHex("0000000101E0") + "MTrk" +
           be32(quint32(track.size())) + track;
}

QByteArray riffMidi(const QByteArray &smf)
{
    QByteArray data = QByteArray("data") + le32(quint32(smf.size())) + smf;
    if (data.size() % 2) {
        data += '\0';
    }
    return QByteArray("RIFF") + le32(quint32(4 + data.size())) + "RMID" + data;
}

// Rewraps an AIFF file as AIFF-C with uncompressed ('NONE') samples.
QByteArray aifcFromAiff(const QByteArray &aiff)
{
    QByteArray comm;
    QByteArray ssnd;
    for (qsizetype at = 12; at + 8 <= aiff.size();) {
        const QByteArray id = aiff.mid(at, 4);
        const qsizetype size = qFromBigEndian<quint32>(aiff.constData() + at + 4);
        const QByteArray body = aiff.mid(at + 8, size);
        if (id == "COMM") {
            comm = body;
        } else if (id == "SSND") {
            ssnd = body;
        }
        at += 8 + size + (size % 2);
    }
    if (comm.size() < 18 || ssnd.isEmpty()) {
        return {};
    }
    const QByteArray name = QByteArray(1, char(14)) + "not compressed" + QByteArray(1, '\0');
    const QByteArray commC = comm.left(18) + "NONE" + name;
    QByteArray chunks = QByteArray("FVER") + be32(4) + be32(0xA2805140) + "COMM" +
                        be32(quint32(commC.size())) + commC + "SSND" + be32(quint32(ssnd.size())) + ssnd;
    if (ssnd.size() % 2) {
        chunks += '\0';
    }
    return QByteArray("FORM") + be32(quint32(4 + chunks.size())) + "AIFC" + chunks;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString writeFile(const QString &dir, const QString &fileName, const QByteArray &content)
{
    const QString path = fullPath(dir, fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        return {};
    }
    return path;
}

QString makeTone(const QString &dir, const QString &fileName, int ms)
{
    const QString path = fullPath(dir, fileName);
    const QString extension = QFileInfo(fileName).suffix().toLower();
    bool ok = false;
    if (extension == u"wav") {
        ok = encode(path, "wavenc", ms);
    } else if (extension == u"mp3") {
        ok = encode(path, "lamemp3enc ! xingmux", ms);
    } else if (extension == u"wma") {
        ok = encode(path, "avenc_wmav2 ! asfmux", ms);
    } else if (extension == u"aif" || extension == u"aiff") {
        ok = encode(path, "aiffmux", ms);
    } else if (extension == u"aifc") {
        ok = encode(path, "aiffmux", ms) && !writeFile(dir, fileName, aifcFromAiff(readAll(path))).isEmpty();
    } else if (extension == u"au" || extension == u"snd") {
        ok = encode(path, "avmux_au", ms);
    } else if (extension == u"mid" || extension == u"midi") {
        ok = !writeFile(dir, fileName, standardMidiFile(ms)).isEmpty();
    } else if (extension == u"rmi") {
        ok = !writeFile(dir, fileName, riffMidi(standardMidiFile(ms))).isEmpty();
    }
    return ok ? path : QString();
}

QString makeMp3WithoutXing(const QString &dir, const QString &fileName, int ms)
{
    const QString path = fullPath(dir, fileName);
    return encode(path, "lamemp3enc target=bitrate bitrate=128 cbr=true", ms) ? path : QString();
}

} // namespace AudioFixtures
