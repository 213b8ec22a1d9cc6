// Playback cost with the main window shown on a private X server and a long
// title scrolling: the player's CPU over 30 s against gst-play-1.0 playing the
// same file to the same real-time fake sink; the player's wakeups (context
// switches) per second while stopped; and the delay from the play command to
// the first position reply above 0.
#include "BenchSupport.h"
#include "platform/MediaChannel.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int measureSeconds = 30;
constexpr int settleMs = 2000;

// CPU seconds (user + system) a process has used so far.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    // utime and stime are fields 14 and 15 of the line; here after the name and state.
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Context switches per second of the settled process over the measured time.
double wakeupsPerSecond(QProcess &process)
{
    process.start();
    if (!process.waitForStarted()) {
        return -1;
    }
    QThread::msleep(settleMs);
    const double before = bench::contextSwitches(process.processId());
    QThread::msleep(measureSeconds * 1000);
    const double after = bench::contextSwitches(process.processId());
    bench::stopProcess(process);
    return (after - before) / measureSeconds;
}

// CPU used between the end of start-up and the end of the measured time.
double measure(QProcess &process)
{
    process.start();
    if (!process.waitForStarted()) {
        return -1;
    }
    QThread::msleep(settleMs);
    const double before = cpuSeconds(process.processId());
    QThread::msleep(measureSeconds * 1000);
    const double after = cpuSeconds(process.processId());
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    return after - before;
}

// The name is the title: far wider than the title box, so it scrolls.
QString makeLongMp3(const QString &dir)
{
    const QString path =
        dir + QStringLiteral("/music/a long tone whose title is far wider than the title box "
                             "of the main window, so that it keeps scrolling.mp3");
    return bench::makeMp3(path, measureSeconds + settleMs / 1000 + 20);
}

double firstPositionDelayMs(const QString &file)
{
    char reply[16] = {};
    platform::mciSendString(QStringLiteral("open \"") + file + QStringLiteral("\" alias MusicMedia"), nullptr,
                            0);
    platform::mciSendString(QStringLiteral("set MusicMedia time format milliseconds"), nullptr, 0);
    QElapsedTimer clock;
    clock.start();
    platform::mciSendString(QStringLiteral("play MusicMedia"), nullptr, 0);
    double delay = -1;
    while (clock.elapsed() < 5000) {
        if (platform::mciSendString(QStringLiteral("status MusicMedia position"), reply, 16) == 0 &&
            QByteArray(reply).toLongLong() > 0) {
            delay = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            break;
        }
        QThread::usleep(200);
    }
    platform::mciSendString(QStringLiteral("stop MusicMedia"), nullptr, 0);
    platform::mciSendString(QStringLiteral("close MusicMedia"), nullptr, 0);
    return delay;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("LYRABOX_AUDIO_SINK", "fakesink");
    QCoreApplication app(argc, argv);
    const QString display = qEnvironmentVariable("BENCH_DISPLAY", QStringLiteral(":65"));
    bench::XServer server(display);
    QTemporaryDir dir;
    const QString file = makeLongMp3(dir.path());
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "could not make the test file with gst-launch-1.0\n");
        return 1;
    }
    const QString home = dir.path() + QStringLiteral("/home");
    const QStringList folders{QFileInfo(file).absolutePath() + QLatin1Char('/')};
    const QProcessEnvironment env = bench::environment(home, display);

    bench::prepareUser(home, folders, "AutoPlay=play\n");
    QProcess player;
    player.setProgram(QStringLiteral(LYRA_PLAYER_BINARY));
    player.setProcessEnvironment(env);
    const double playerCpu = measure(player);

    QProcess reference;
    reference.setProgram(QStringLiteral("gst-play-1.0"));
    reference.setProcessEnvironment(env);
    reference.setArguments({QStringLiteral("--no-interactive"), QStringLiteral("-q"),
                            QStringLiteral("--audiosink=fakesink sync=true"), file});
    const double referenceCpu = measure(reference);

    bench::prepareUser(home, folders, "AutoPlay=\n");
    QProcess stopped;
    stopped.setProgram(QStringLiteral(LYRA_PLAYER_BINARY));
    stopped.setProcessEnvironment(env);
    const double wakeups = wakeupsPerSecond(stopped);

    double bestDelay = -1;
    for (int i = 0; i < 5; ++i) {
        const double delay = firstPositionDelayMs(file);
        if (delay >= 0 && (bestDelay < 0 || delay < bestDelay)) {
            bestDelay = delay;
        }
    }

    std::printf("playback of one MP3 for %d s to a real-time fake sink, window shown, title scrolling\n",
                measureSeconds);
    std::printf("  lyrabox3 CPU:      %.3f s\n", playerCpu);
    std::printf("  gst-play-1.0 CPU:  %.3f s\n", referenceCpu);
    std::printf("  ratio:             %.2f (goal: at most 1.1)\n",
                referenceCpu > 0 ? playerCpu / referenceCpu : 0.0);
    std::printf("wakeups while stopped: %.2f per second over %d s (goal: under 1)\n", wakeups,
                measureSeconds);
    std::printf("play command to first position above 0: %.1f ms (best of 5)\n", bestDelay);
    return 0;
}
