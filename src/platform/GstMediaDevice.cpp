#include "platform/GstMediaDevice.h"

#include "platform/FileNameCodec.h"
#include "platform/GstPlaybin.h"
#include "platform/GstPreroll.h"
#include "platform/GstTrackLength.h"

#include <QRegularExpression>

#include <gst/gst.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <sys/stat.h>
#include <utility>

namespace platform {
namespace {

const QString kAlias = QStringLiteral("MusicMedia");

bool sameWord(const QString &word, const char *expected)
{
    return word.compare(QLatin1StringView(expected), Qt::CaseInsensitive) == 0;
}

int writeReply(qint64 value, char *reply, int replySize)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const int count = int(result.ptr - digits);
    if (!reply || replySize < count + 1) {
        return MciParamOverflow;
    }
    std::memcpy(reply, digits, size_t(count));
    reply[count] = '\0';
    return 0;
}

// A playbin of the device's own, not floating.
GstElement *ownPlaybin(const gchar *uri, std::optional<double> loudnessGainDb)
{
    GstElement *pipeline = makePlaybin(uri, loudnessGainDb);
    if (pipeline) {
        gst_object_ref_sink(pipeline);
    }
    return pipeline;
}

void release(GstElement *pipeline)
{
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
}

} // namespace

GstMediaDevice::GstMediaDevice() = default;

GstMediaDevice::~GstMediaDevice()
{
    close();
    dropAhead();
}

int GstMediaDevice::send(const QString &command, char *reply, int replySize)
{
    if (pipeline_) {
        readBus();
    }
    const QString text = command.trimmed();
    // Regular expressions refuse the lone surrogates that carry a file name's stray
    // bytes; this copy has the same length, so its offsets hold for the original.
    const QString matchable = visibleFileName(text);
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = matchable.split(blanks, Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        return MciUnrecognizedCommand;
    }
    const QString &verb = words[0];

    if (sameWord(verb, "open")) {
        // Greedy: the path runs to the last quotation mark before the alias, because a
        // Linux file name may itself hold one.
        static const QRegularExpression openCommand(QStringLiteral("^open\\s+\"(.*)\"\\s+alias\\s+(\\S+)$"),
                                                    QRegularExpression::CaseInsensitiveOption |
                                                        QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch match = openCommand.match(matchable);
        if (!match.hasMatch()) {
            return text.count(u'"') == 1 ? MciNoClosingQuote : MciUnrecognizedKeyword;
        }
        if (match.capturedView(2).compare(kAlias, Qt::CaseInsensitive) != 0) {
            return MciInvalidDeviceName;
        }
        return open(text.mid(match.capturedStart(1), match.capturedLength(1)));
    }

    const bool known = sameWord(verb, "set") || sameWord(verb, "status") || sameWord(verb, "play") ||
                       sameWord(verb, "pause") || sameWord(verb, "resume") || sameWord(verb, "stop") ||
                       sameWord(verb, "close") || sameWord(verb, "seek");
    if (!known) {
        return MciUnrecognizedCommand;
    }
    if (words.size() < 2 || words[1].compare(kAlias, Qt::CaseInsensitive) != 0 || !pipeline_) {
        return MciInvalidDeviceName;
    }
    const QStringList rest = words.mid(2);
    auto restIs = [&rest](std::initializer_list<const char *> expected) {
        if (rest.size() != qsizetype(expected.size())) {
            return false;
        }
        qsizetype i = 0;
        for (const char *word : expected) {
            if (!sameWord(rest[i++], word)) {
                return false;
            }
        }
        return true;
    };

    if (const int failure = outputFailure(verb)) {
        return failure;
    }
    if (sameWord(verb, "set")) {
        if (rest.size() != 3 || !sameWord(rest[0], "time") || !sameWord(rest[1], "format")) {
            return MciUnrecognizedKeyword;
        }
        return sameWord(rest[2], "milliseconds") || sameWord(rest[2], "ms") ? 0 : MciBadTimeFormat;
    }
    if (sameWord(verb, "status")) {
        if (restIs({"length"})) {
            return writeReply(lengthMs_, reply, replySize);
        }
        if (restIs({"position"})) {
            return writeReply(position(), reply, replySize);
        }
        return MciUnrecognizedKeyword;
    }
    if (sameWord(verb, "seek")) {
        if (restIs({"to", "start"})) {
            return seekToStart();
        }
        bool number = false;
        const qint64 ms = rest.size() == 2 && sameWord(rest[0], "to") ? rest[1].toLongLong(&number) : 0;
        return number ? seekTo(ms) : MciUnrecognizedKeyword;
    }
    if (!rest.isEmpty()) {
        return MciUnrecognizedKeyword;
    }
    if (sameWord(verb, "play") || sameWord(verb, "resume")) {
        return play();
    }
    if (sameWord(verb, "pause") || sameWord(verb, "stop")) {
        // An MCI stop keeps the position, and a later play goes on from there.
        return pause();
    }
    close();
    return 0;
}

int GstMediaDevice::open(const QString &path)
{
    // As in MCI, the alias is taken while a track is open: the caller closes first.
    if (pipeline_) {
        return MciDuplicateAlias;
    }
    missingPlugins_.clear();
    // By its bytes: a name that is not UTF-8 must still open.
    const QByteArray name = encodeFileName(path);
    struct stat st {};
    if (path.isEmpty() || ::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return MciFileNotFound;
    }
    if (st.st_size == 0) {
        return MciInvalidFile;
    }
    if (!gstReady()) {
        return MciCannotLoadDriver;
    }
    gchar *uri = gst_filename_to_uri(name.constData(), nullptr);
    if (!uri) {
        return MciFileNotFound;
    }
    GstElement *pipeline = takeAhead(name);
    if (!pipeline) {
        pipeline = ownPlaybin(uri, loudnessGain_);
    }
    if (!pipeline) {
        g_free(uri);
        return MciCannotLoadDriver;
    }
    // Prerolling one that was opened ahead waits for what it has not done yet, and reads
    // the errors and missing plug-ins it met on the way from its bus.
    PrerollFailure failure;
    if (!preroll(pipeline, &failure)) {
        release(pipeline);
        g_free(uri);
        missingPlugins_ = failure.missingPlugins;
        return failure.outputLost ? MciHardware : MciInvalidFile;
    }
    const qint64 lengthMs = trackLengthMs(pipeline, name, uri, st.st_size);
    g_free(uri);

    pipeline_ = pipeline;
    lengthMs_ = lengthMs;
    positionMs_ = 0;
    ended_ = false;
    return 0;
}

void GstMediaDevice::openAhead(const QString &path)
{
    dropAhead();
    // The windows come first: with GStreamer still starting, the track opens as it plays.
    if (pipeline_ || !gstStarted()) {
        return;
    }
    const QByteArray name = encodeFileName(path);
    gchar *uri = gst_filename_to_uri(name.constData(), nullptr);
    if (!uri) {
        return;
    }
    GstElement *pipeline = ownPlaybin(uri, loudnessGain_);
    g_free(uri);
    if (!pipeline) {
        return;
    }
    // The preroll goes on in GStreamer's threads; a failure now is met again, and told,
    // by the open.
    if (gst_element_set_state(pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
        release(pipeline);
        return;
    }
    ahead_ = {pipeline, name, loudnessGain_};
}

GstElement *GstMediaDevice::takeAhead(const QByteArray &name)
{
    if (ahead_.pipeline && ahead_.name == name && ahead_.gainDb == loudnessGain_) {
        return std::exchange(ahead_.pipeline, nullptr);
    }
    dropAhead();
    return nullptr;
}

void GstMediaDevice::dropAhead()
{
    if (ahead_.pipeline) {
        release(ahead_.pipeline);
    }
    ahead_ = {};
}

int GstMediaDevice::play()
{
    // Playing from the end, as MCI does, has nothing left to play: the position stays
    // at the length until a seek to the start.
    if (ended_) {
        return 0;
    }
    return gst_element_set_state(pipeline_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE ? MciDriverError
                                                                                           : 0;
}

int GstMediaDevice::pause()
{
    position();
    return gst_element_set_state(pipeline_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE ? MciDriverError
                                                                                          : 0;
}

int GstMediaDevice::seekToStart()
{
    // A flushing seek without a stop position ends an AU stream at once; prerolling
    // again from READY rewinds every format alike and leaves the track paused at 0.
    gst_element_set_state(pipeline_, GST_STATE_READY);
    discardMessages(pipeline_);
    positionMs_ = 0;
    ended_ = false;
    if (!preroll(pipeline_)) {
        // Nothing more can be played: let the caller see the end and move on.
        ended_ = true;
        return MciDriverError;
    }
    return 0;
}

void GstMediaDevice::close()
{
    if (!pipeline_) {
        return;
    }
    release(std::exchange(pipeline_, nullptr));
    lengthMs_ = 0;
    positionMs_ = 0;
    ended_ = false;
    outputLost_ = false;
}

qint64 GstMediaDevice::position()
{
    if (ended_) {
        return lengthMs_;
    }
    // Right after a seek the query fails for a moment: the last known position stands.
    gint64 nanoseconds = -1;
    if (gst_element_query_position(pipeline_, GST_FORMAT_TIME, &nanoseconds) && nanoseconds >= 0) {
        // Only the end of the stream may reach the length, so that the end is seen once.
        positionMs_ = std::min<qint64>(nanoseconds / gint64(GST_MSECOND), lengthMs_ - 1);
    }
    return positionMs_;
}

void GstMediaDevice::readBus()
{
    GstBus *bus = gst_element_get_bus(pipeline_);
    const auto types = GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR);
    while (GstMessage *message = gst_bus_pop_filtered(bus, types)) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            // A stream that breaks while playing would otherwise never end.
            logError(message);
            outputLost_ = outputLost_ || isOutputFailure(pipeline_, message);
        }
        ended_ = true;
        gst_message_unref(message);
    }
    gst_object_unref(bus);
}

int GstMediaDevice::outputFailure(const QString &verb) const
{
    const bool needsOutput = sameWord(verb, "status") || sameWord(verb, "play") || sameWord(verb, "resume") ||
                             sameWord(verb, "seek");
    return outputLost_ && needsOutput ? MciHardware : 0;
}

// Takes an interrupted track up where it stopped; the track stays paused there.
int GstMediaDevice::seekTo(qint64 ms)
{
    if (ms < 0 || ms >= lengthMs_) {
        return MciParamOverflow;
    }
    // With an explicit stop, as a stream without one may end at once (AU).
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    if (!gst_element_seek(pipeline_, 1.0, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, ms * gint64(GST_MSECOND),
                          GST_SEEK_TYPE_SET, lengthMs_ * gint64(GST_MSECOND))) {
        return MciDriverError;
    }
    gst_element_get_state(pipeline_, nullptr, nullptr, kPrerollWait);
    positionMs_ = ms;
    ended_ = false;
    return 0;
}

} // namespace platform