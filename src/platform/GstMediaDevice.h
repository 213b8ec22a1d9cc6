#pragma once

#include "platform/MediaDevice.h"

#include <QtGlobal>

typedef struct _GstElement GstElement; // NOLINT(bugprone-reserved-identifier): GStreamer's own name

namespace platform {

// Return codes, numbered as the Windows MCI errors they stand for.
enum MciError : int {
    MciUnrecognizedKeyword = 259,
    MciUnrecognizedCommand = 261,
    MciHardware = 262, // the sound output failed, not the file
    MciInvalidDeviceName = 263,
    MciCannotLoadDriver = 266,
    MciParamOverflow = 268,
    MciFileNotFound = 275,
    MciDriverError = 278,
    MciDuplicateAlias = 289,
    MciBadTimeFormat = 293,
    MciNoClosingQuote = 294,
    MciInvalidFile = 296,
};

// The media device on a GStreamer playbin. Commands run on the caller's thread and
// return when done; the bus is read at the start of every command, which is how the
// end of a stream becomes known.
class GstMediaDevice : public MediaDevice {
public:
    GstMediaDevice();
    ~GstMediaDevice() override;
    GstMediaDevice(const GstMediaDevice &) = delete;
    GstMediaDevice &operator=(const GstMediaDevice &) = delete;

    int send(const QString &command, char *reply, int replySize) override;
    QStringList missingPlugins() const override { return missingPlugins_; }
    void setLoudnessGain(std::optional<double> gainDb) override { loudnessGain_ = gainDb; }
    void openAhead(const QString &path) override;

private:
    int open(const QString &path);
    // The pipeline opened ahead for this file at this gain, else none; drops any other.
    GstElement *takeAhead(const QByteArray &name);
    void dropAhead();
    int play();
    int pause();
    int seekToStart();
    int seekTo(qint64 ms);
    void close();
    qint64 position();
    void readBus();
    // Once the output has failed, nothing plays until the track is closed.
    int outputFailure(const QString &verb) const;

    GstElement *pipeline_ = nullptr;
    qint64 lengthMs_ = 0;
    qint64 positionMs_ = 0;
    bool ended_ = false;
    bool outputLost_ = false;
    QStringList missingPlugins_;
    std::optional<double> loudnessGain_;

    struct Ahead {
        GstElement *pipeline = nullptr;
        QByteArray name;
        std::optional<double> gainDb;
    };
    Ahead ahead_;
};

} // namespace platform
