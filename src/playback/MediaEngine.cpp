#include "playback/MediaEngine.h"

#include "platform/GstMediaDevice.h"
#include "platform/MediaChannel.h"
#include "playback/MediaReply.h"

namespace {
const QString Alias = QStringLiteral("MusicMedia");

std::optional<qint64> wholeMs(const QByteArray &reply)
{
    const auto number = replyNumber(reply);
    return number ? std::optional<qint64>(static_cast<qint64>(*number)) : std::nullopt;
}
} // namespace

MediaEngine &MediaEngine::instance()
{
    static MediaEngine engine;
    return engine;
}

MediaEngine::MediaEngine()
{
    platform::setEndNotice([this] { emit endNoticed(); });
}

int MediaEngine::send(const QString &command)
{
    MciResult = platform::mciSendString(command, nullptr, 0);
    return MciResult;
}

// The reply overwrites the start of the buffer; a failing command leaves it as it was.
int MediaEngine::status(const QString &what, QByteArray &reply) const
{
    reply.resize(16, '\0');
    return platform::mciSendString(QStringLiteral("status ") + Alias + u' ' + what, reply.data(), 16);
}

MediaEngine::Opened MediaEngine::open(const QString &path, std::optional<double> loudnessGainDb)
{
    Opened result;
    platform::mediaDevice().setLoudnessGain(loudnessGainDb);
    send(QStringLiteral("open \"") + path + QStringLiteral("\" alias ") + Alias);
    if (MciResult == platform::MciHardware) {
        result.outputLost = true;
        return result;
    }
    result.opened = MciResult == 0;
    if (!result.opened) {
        result.missingDecoders = platform::mediaDevice().missingPlugins();
    }
    send(QStringLiteral("set ") + Alias + QStringLiteral(" time format milliseconds"));
    MciResult = status(QStringLiteral("length"), MciReply);
    // A track that did not open keeps the last reply as its length, so the
    // first poll, which fails the same way, finds it at its end.
    MusicLength = MciReply;
    result.lengthMs = wholeMs(MusicLength);
    return result;
}

void MediaEngine::openAhead(const QString &path, std::optional<double> loudnessGainDb)
{
    platform::mediaDevice().setLoudnessGain(loudnessGainDb);
    platform::mediaDevice().openAhead(path);
}

void MediaEngine::play()
{
    send(QStringLiteral("play ") + Alias);
}

void MediaEngine::pause()
{
    send(QStringLiteral("pause ") + Alias);
}

void MediaEngine::resume()
{
    send(QStringLiteral("resume ") + Alias);
}

void MediaEngine::stop()
{
    send(QStringLiteral("stop ") + Alias);
    send(QStringLiteral("close ") + Alias);
}

bool MediaEngine::restart()
{
    return send(QStringLiteral("seek ") + Alias + QStringLiteral(" to start")) == 0 &&
           send(QStringLiteral("play ") + Alias) == 0;
}

void MediaEngine::seekTo(qint64 ms)
{
    send(QStringLiteral("seek ") + Alias + QStringLiteral(" to ") + QString::number(ms));
}

// Only an exact match of the two texts ends a track.
void MediaEngine::poll()
{
    MciResult = status(QStringLiteral("position"), MciReply);
    if (MciResult == platform::MciHardware) {
        emit outputLost();
        return;
    }
    emit polled();
    if (MusicLength == MciReply) {
        emit trackEnded();
    }
}

std::optional<qint64> MediaEngine::polledMs() const
{
    return wholeMs(MciReply);
}

std::optional<qint64> MediaEngine::lengthMs() const
{
    return wholeMs(MusicLength);
}

std::optional<qint64> MediaEngine::position() const
{
    QByteArray reply(16, '\0');
    if (status(QStringLiteral("position"), reply) != 0) {
        return std::nullopt;
    }
    return wholeMs(reply);
}
