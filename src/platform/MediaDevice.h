#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace platform {

// A media device driven by command strings on the alias MusicMedia:
//   open "<path>" alias MusicMedia      set MusicMedia time format milliseconds
//   status MusicMedia length|position   play|pause|resume|stop|close MusicMedia
//   seek MusicMedia to start|<milliseconds>
// Returns 0 on success, a non-zero code on failure. A status command writes its
// decimal reply and a terminating NUL at the start of reply; nothing else of
// reply is touched, and a failing command writes nothing.
class MediaDevice {
public:
    virtual ~MediaDevice() = default;
    virtual int send(const QString &command, char *reply, int replySize) = 0;
    // After an open that failed for want of plug-ins: GStreamer's installer detail of
    // each ("gstreamer|1.0|<app>|<description>|decoder-<caps>"); empty otherwise.
    virtual QStringList missingPlugins() const { return {}; }
    // The gain (dB) of the tracks opened from now on, for even loudness; none leaves
    // the output exactly as decoded.
    virtual void setLoudnessGain(std::optional<double> gainDb) { (void)gainDb; }
    // Starts opening a file that an open is about to ask for, at the gain set now, so
    // that the open finds it under way. An open of anything else drops it. A device
    // that opens at once has nothing to start.
    virtual void openAhead(const QString &path) { (void)path; }
};

// A window that stops polling (hidden in the tray) still has to learn when a track
// ends by itself: the device posts the end from any thread, and the notice set here
// runs later on the user-interface thread.
void setEndNotice(std::function<void()> notice);
void postEndNotice();

} // namespace platform
