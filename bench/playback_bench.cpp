// Playback cost with the main window shown on a private X server and a long
// title scrolling, against gst-play-1.0 playing the same file to the same sink,
// on two outputs: a real-time fake sink (no sound server: what CI has) and a
// private PulseAudio daemon's null sink (the path a desktop takes). Then the
// main thread's wakeups while stopped, with scrolling off and hidden in the tray,
// and the time from exec to the first audio buffer with auto play.
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int measureSeconds = 20;
constexpr int settleMs = 2000;
constexpr int runs = 3;

struct Cost {
    double cpu = -1;       // seconds over the measured time
    double switches = -1;  // per second, every thread
    double mainWakes = -1; // per second, the main (user-interface) thread
};

void stop(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
}

// What a settled process costs over the measured time; `settled` runs after the settling.
Cost measure(QProcess &process, const std::function<void(qint64)> &settled = {})
{
    Cost cost;
    process.start();
    if (!process.waitForStarted()) {
        return cost;
    }
    QThread::msleep(settleMs);
    const qint64 pid = process.processId();
    if (settled) {
        settled(pid);
    }
    const double cpu = bench::threadSeconds(pid);
    const auto switches = bench::threadSwitches(pid);
    QThread::msleep(measureSeconds * 1000);
    const auto later = bench::threadSwitches(pid);
    cost.cpu = bench::threadSeconds(pid) - cpu;
    cost.switches = bench::switchesBetween(switches, later) / measureSeconds;
    const QString main = QString::number(pid);
    if (switches.count(main) && later.count(main)) {
        cost.mainWakes = (later.at(main) - switches.at(main)) / measureSeconds;
    }
    stop(process);
    return cost;
}

Cost median(const std::vector<Cost> &costs)
{
    std::vector<double> cpu, switches, wakes;
    for (const Cost &c : costs) {
        cpu.push_back(c.cpu);
        switches.push_back(c.switches);
        wakes.push_back(c.mainWakes);
    }
    return {bench::median(cpu), bench::median(switches), bench::median(wakes)};
}

// The name is the title: far wider than the title box of the main window, so it scrolls.
QString makeLongMp3(const QString &dir)
{
    const QString path = dir + QStringLiteral("/music/a long tone whose title is far wider than the title "
                                              "box of the main window so it scrolls.mp3");
    return bench::makeMp3(path, measureSeconds + settleMs / 1000 + 40);
}

QProcess *player(const QProcessEnvironment &env)
{
    auto *process = new QProcess;
    process->setProgram(QStringLiteral(LYRA_PLAYER_BINARY));
    process->setProcessEnvironment(env);
    return process;
}

QProcess *gstPlay(const QProcessEnvironment &env, const QString &sink, const QString &file)
{
    auto *process = new QProcess;
    process->setProgram(QStringLiteral("gst-play-1.0"));
    process->setProcessEnvironment(env);
    process->setArguments({QStringLiteral("--no-interactive"), QStringLiteral("-q"),
                           QStringLiteral("--audiosink=") + sink, file});
    return process;
}

// The player and gst-play-1.0 alternately, `runs` times each, on one sink.
void compareOn(const QString &output, const QProcessEnvironment &env, const QString &sink,
               const QString &file)
{
    std::vector<Cost> mine, theirs;
    for (int i = 0; i < runs; ++i) {
        std::unique_ptr<QProcess> p(player(env));
        mine.push_back(measure(*p));
        std::unique_ptr<QProcess> g(gstPlay(env, sink, file));
        theirs.push_back(measure(*g));
    }
    const Cost a = median(mine);
    const Cost b = median(theirs);
    std::printf("%s, %d s, window shown, title scrolling (median of %d)\n", qPrintable(output),
                measureSeconds, runs);
    std::printf("  lyrabox3 CPU:         %.3f s   context switches: %6.1f /s\n", a.cpu, a.switches);
    std::printf("  gst-play-1.0 CPU:     %.3f s   context switches: %6.1f /s\n", b.cpu, b.switches);
    std::printf("  ratio:                %.2f     (goal: at most 1.0; switches at most 110 /s)\n",
                b.cpu > 0 ? a.cpu / b.cpu : 0.0);
}

// Clicks the send-to-back button of the player's main window.
void sendToTray(qint64 pid, const QProcessEnvironment &env)
{
    QProcess search;
    search.setProcessEnvironment(env);
    search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                             QStringLiteral("--pid"), QString::number(pid)});
    search.waitForFinished();
    const QString window = QString::fromUtf8(search.readAllStandardOutput()).split(u'\n').value(0);
    QProcess click;
    click.setProcessEnvironment(env);
    click.start(QStringLiteral("xdotool"),
                {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QStringLiteral("224"),
                 QStringLiteral("8"), QStringLiteral("click"), QStringLiteral("1")});
    click.waitForFinished();
    QThread::msleep(500);
}

void idleWakeups(const QString &home, const QStringList &folders, const QProcessEnvironment &env)
{
    struct Case {
        const char *name;
        QByteArray settings;
        bool tray;
    } cases[] = {
        {"stopped", "AutoPlay=\n", false},
        {"playing, scrolling off", "AutoPlay=play\nTitleScroll=off\n", false},
        {"playing, scrolling on", "AutoPlay=play\n", false},
        {"playing, hidden in the tray", "AutoPlay=play\nDownWin=1\n", true},
    };
    QProcess trayHost;
    trayHost.setProcessEnvironment(env);
    trayHost.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("bottom")});
    trayHost.waitForStarted();
    QThread::msleep(500);
    std::printf("main-thread wakeups per second (timers, paints and events), %d s each\n", measureSeconds);
    for (const Case &c : cases) {
        bench::prepareUser(home, folders, c.settings);
        std::unique_ptr<QProcess> p(player(env));
        const Cost cost =
            measure(*p, c.tray ? std::function<void(qint64)>([&env](qint64 pid) { sendToTray(pid, env); })
                               : std::function<void(qint64)>());
        std::printf("  %-28s %6.2f /s   (whole process %6.1f /s)\n", c.name, cost.mainWakes, cost.switches);
    }
    std::printf("  (goal: stopped and in the tray no timer runs; with scrolling off only the time label's\n"
                "   changes, a few a second; with it on, one wake per pixel the title moves)\n");
    stop(trayHost);
}

// Milliseconds from exec to the first byte the sink writes into a FIFO.
double firstBufferMs(QProcess &process, const QString &fifo)
{
    ::unlink(fifo.toLocal8Bit().constData());
    ::mkfifo(fifo.toLocal8Bit().constData(), 0600);
    const int fd = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    QElapsedTimer clock;
    clock.start();
    process.start();
    double ms = -1;
    while (ms < 0 && clock.elapsed() < 10000) {
        pollfd watch{fd, POLLIN, 0};
        if (::poll(&watch, 1, 50) > 0 && (watch.revents & POLLIN)) {
            ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        }
    }
    ::close(fd);
    bench::stopProcess(process);
    return ms;
}

void timeToSound(const QString &home, const QStringList &folders, QProcessEnvironment env,
                 const QString &file)
{
    const QString fifo = home + QStringLiteral("/sound.fifo");
    const QString sink = QStringLiteral("filesink buffer-mode=unbuffered sync=true location=") + fifo;
    env.insert(QStringLiteral("LYRABOX_AUDIO_SINK"), sink);
    bench::prepareUser(home, folders, "AutoPlay=play\n");
    std::vector<double> mine, theirs;
    for (int i = 0; i <= 5; ++i) {
        std::unique_ptr<QProcess> p(player(env));
        std::unique_ptr<QProcess> g(gstPlay(env, sink, file));
        const double a = firstBufferMs(*p, fifo);
        const double b = firstBufferMs(*g, fifo);
        if (i > 0) { // the first run warms the caches
            mine.push_back(a);
            theirs.push_back(b);
        }
    }
    std::printf("exec to the first audio buffer at the sink, auto play, warm (median of 5)\n");
    std::printf("  lyrabox3:      %7.1f ms   (goal: at most 200 ms)\n", bench::median(mine));
    std::printf("  gst-play-1.0:  %7.1f ms\n", bench::median(theirs));
}

} // namespace

int main(int argc, char *argv[])
{
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
    QProcessEnvironment env = bench::environment(home, display);
    std::printf("load: %s\n", qPrintable(bench::uptime()));

    bench::prepareUser(home, folders, "AutoPlay=play\n");
    compareOn(QStringLiteral("fake sink (real time)"), env, QStringLiteral("fakesink sync=true"), file);

    QDir().mkpath(dir.path() + QStringLiteral("/pulse"));
    bench::PulseServer pulse(dir.path() + QStringLiteral("/pulse"));
    if (pulse.running()) {
        QProcessEnvironment pulseEnv = env;
        pulseEnv.insert(QStringLiteral("PULSE_SERVER"), pulse.address());
        pulseEnv.insert(QStringLiteral("LYRABOX_AUDIO_SINK"), QStringLiteral("pulsesink"));
        compareOn(QStringLiteral("PulseAudio null sink"), pulseEnv, QStringLiteral("pulsesink"), file);
        env = pulseEnv;
    } else {
        std::printf("PulseAudio null sink: pulseaudio did not start, skipped\n");
    }

    idleWakeups(home, folders, env);
    timeToSound(home, folders, env, file);
    return 0;
}
