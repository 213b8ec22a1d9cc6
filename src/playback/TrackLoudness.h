#pragma once

#include <QString>

#include <chrono>
#include <memory>
#include <optional>

// Even loudness (音量を揃える): the gain each track opens with. Files are measured on
// one worker thread at idle priority, one at a time and once each; what was
// measured is kept in the cache folder. Nothing here ever waits on a file on the
// caller's thread, so a folder that does not answer never holds the window.
class TrackLoudness {
public:
    // How long the start of a track waits for a gain not known yet.
    static constexpr std::chrono::milliseconds kStartWait{150};

    static TrackLoudness &instance();

    void setEnabled(bool on);
    bool enabled() const;

    // The gain (dB) to open the file with: none while off; the cached or measured
    // gain when known within `wait`; else 0 dB. A gain tag of the stream still
    // takes its place as it plays.
    std::optional<double> gainFor(const QString &path, std::chrono::milliseconds wait = kStartWait);
    // Has the file measured in the background, in place of the last one asked for.
    void measureAhead(const QString &path);
    // Whether the worker has nothing left to do within `wait`.
    bool waitUntilIdle(std::chrono::milliseconds wait);

    struct Worker;

private:
    TrackLoudness();
    Worker *worker_;
};
