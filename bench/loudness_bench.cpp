// Even loudness: the CPU a background measurement costs per track, and playback's CPU
// with the option on (the gain and limiter in the pipeline) against off.

#include "BenchSupport.h"

#include "platform/FileNameCodec.h"
#include "playback/LoudnessMeter.h"
#include "playback/MediaEngine.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <thread>

#include <sys/resource.h>

namespace {

constexpr int kTrackSeconds = 180;
constexpr int kPlaySeconds = 10;
constexpr int kRuns = 3;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QString makeTrack(const QString &path, const QString &encoder)
{
    QStringList arguments{QStringLiteral("-q"),
                          QStringLiteral("audiotestsrc"),
                          QStringLiteral("wave=pink-noise"),
                          QStringLiteral("num-buffers=%1").arg(kTrackSeconds * 44100 / 1024),
                          QStringLiteral("samplesperbuffer=1024"),
                          QStringLiteral("!"),
                          QStringLiteral("audio/x-raw,rate=44100,channels=2"),
                          QStringLiteral("!"),
                          QStringLiteral("audioconvert"),
                          QStringLiteral("!")};
    arguments << encoder.split(u' ') << QStringLiteral("!") << QStringLiteral("filesink")
              << QStringLiteral("location=") + path;
    return QProcess::execute(QStringLiteral("gst-launch-1.0"), arguments) == 0 ? path : QString();
}

double playbackCpu(const QString &path, std::optional<double> gainDb)
{
    MediaEngine &engine = MediaEngine::instance();
    const double before = cpuSeconds();
    engine.open(path, gainDb);
    engine.play();
    std::this_thread::sleep_for(std::chrono::seconds(kPlaySeconds));
    engine.stop();
    return cpuSeconds() - before;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qputenv("LYRABOX_AUDIO_SINK", "fakesink");
    QTemporaryDir dir;
    const std::pair<const char *, QString> formats[] = {
        {"mp3", QStringLiteral("lamemp3enc")},
        {"flac", QStringLiteral("flacenc")},
        {"ogg", QStringLiteral("vorbisenc ! oggmux")},
        {"opus", QStringLiteral("audioresample ! opusenc ! oggmux")},
    };
    std::printf("background measurement of a %d s track, CPU seconds (median of %d)\n", kTrackSeconds, kRuns);
    QString mp3;
    for (const auto &[type, encoder] : formats) {
        const QString path =
            makeTrack(dir.filePath(QStringLiteral("track.") + QLatin1StringView(type)), encoder);
        if (path.isEmpty()) {
            std::fprintf(stderr, "could not make the %s track with gst-launch-1.0\n", type);
            return 1;
        }
        mp3 = mp3.isEmpty() ? path : mp3;
        std::vector<double> cpu;
        for (int run = 0; run < kRuns; ++run) {
            const double before = cpuSeconds();
            measureGainDb(platform::encodeFileName(path));
            cpu.push_back(cpuSeconds() - before);
        }
        std::printf("  %-5s %6.2f s  (%.1f %% of the track's length)\n", type, bench::median(cpu),
                    100.0 * bench::median(cpu) / kTrackSeconds);
    }
    std::vector<double> off;
    std::vector<double> on;
    for (int run = 0; run < kRuns; ++run) {
        off.push_back(playbackCpu(mp3, std::nullopt));
        on.push_back(playbackCpu(mp3, 0.0));
    }
    std::printf("playback of the MP3 for %d s to a real-time fake sink, CPU seconds (median of %d)\n",
                kPlaySeconds, kRuns);
    std::printf("  option off: %.3f s   option on: %.3f s   ratio %.2f\n", bench::median(off),
                bench::median(on), bench::median(on) / bench::median(off));
    QProcess load;
    load.start(QStringLiteral("uptime"));
    load.waitForFinished();
    std::printf("load: %s", load.readAllStandardOutput().constData());
    return 0;
}
