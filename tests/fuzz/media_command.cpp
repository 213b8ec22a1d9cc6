// Any command lines after the opening of a short silent file: no crash, and a
// reply never runs past the size it was given.
#include "platform/GstMediaDevice.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdlib>
#include <cstring>

namespace {

// Half a second of 8 kHz mono silence.
QString silentWav()
{
    static const QString path = [] {
        QFile f(QDir::tempPath() + QStringLiteral("/lyrabox3-fuzz-silence.wav"));
        if (f.open(QIODevice::WriteOnly)) {
            f.write(QByteArray("RIFF\x2c\x1f\0\0WAVEfmt "
                               "\x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0data\x08\x1f\0\0",
                               44) +
                    QByteArray(8000, '\0'));
        }
        return f.fileName();
    }();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    static platform::GstMediaDevice device;
    device.send(QStringLiteral("open \"") + silentWav() + QStringLiteral("\" alias MusicMedia"), nullptr, 0);
    const int replySize = data[0] % 20;
    const QByteArray text(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    int sent = 0;
    for (const QByteArray &line : text.split('\n')) {
        const QString command = QString::fromUtf8(line);
        // Only the file above is opened: a fuzzed path could name a device that never ends.
        if (command.trimmed().startsWith(QStringLiteral("open"), Qt::CaseInsensitive) &&
            command.contains(u'/')) {
            continue;
        }
        if (++sent > 16) {
            break;
        }
        char reply[20 + 32]; // the rest guards against overruns
        std::memset(reply, 'g', sizeof reply);
        device.send(command, reply, replySize);
        const qsizetype rest = qsizetype(sizeof reply) - replySize;
        if (QByteArrayView(reply + replySize, rest) != QByteArray(rest, 'g')) {
            std::abort();
        }
    }
    device.send(QStringLiteral("close MusicMedia"), nullptr, 0);
    return 0;
}
