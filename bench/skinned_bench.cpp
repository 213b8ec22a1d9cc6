// The player against Audacious in its skinned (Winamp-style) interface, the lightest
// skinned player on Debian: the same MP3 to the same private PulseAudio null sink on
// the same private X server, each on a private session bus. CPU over 30 s of playback,
// peak and private memory while playing, exec to the first sound (warm), and exec to
// the window and the sound with 10,000 files in 100 folders. Audacious gets a private
// home whose plug-in list selects its skinned interface; without it the rows say
// "not installed" and the player's figures still print.
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

constexpr int PlaySeconds = 30;
constexpr int SettleMs = 2000;
constexpr int CpuRuns = 3;
constexpr int SoundRuns = 5;
constexpr int Folders = 100;
constexpr int FilesPerFolder = 100;
// A sample this loud is the tone, not the encoder's quiet lead-in.
constexpr int LoudSample = 1000;

struct Contender {
    QString name;
    QString program;
    QProcessEnvironment env;
    // The arguments that play one file, or the files of one folder tree.
    std::function<QStringList(const QString &)> arguments;
    // Puts the profile in the state each run starts from; what it plays is given.
    std::function<void(const QStringList &folders)> prepare;
};

// A private session bus for the run, as a desktop has one: both players register on it.
class SessionBus {
public:
    SessionBus()
    {
        bus_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                   QStringLiteral("--print-address=1")});
        if (bus_.waitForReadyRead(5000)) {
            address_ = QString::fromUtf8(bus_.readLine()).trimmed();
        }
    }
    ~SessionBus()
    {
        bus_.terminate();
        bus_.waitForFinished(5000);
    }
    SessionBus(const SessionBus &) = delete;
    SessionBus &operator=(const SessionBus &) = delete;
    const QString &address() const { return address_; }

private:
    QProcess bus_;
    QString address_;
};

// Reads what the null sink plays, through its monitor, and says when it turns loud.
class SoundProbe {
public:
    explicit SoundProbe(const QProcessEnvironment &env)
    {
        parec_.setProcessEnvironment(env);
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("-d"), QStringLiteral("bench.monitor"), QStringLiteral("--raw"),
                      QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                      QStringLiteral("--rate=44100"), QStringLiteral("--latency-msec=5")});
        parec_.waitForReadyRead(5000);
    }
    ~SoundProbe()
    {
        parec_.terminate();
        parec_.waitForFinished(5000);
    }
    SoundProbe(const SoundProbe &) = delete;
    SoundProbe &operator=(const SoundProbe &) = delete;

    // Forgets what was played until now, and waits for a stretch of silence.
    void quiet()
    {
        QElapsedTimer clock;
        clock.start();
        for (qint64 silentSince = 0; clock.elapsed() - silentSince < 300 && clock.elapsed() < 5000;) {
            if (heardLoud()) {
                silentSince = clock.elapsed();
            }
        }
    }
    // Reads for a moment; true when any of it was loud.
    bool heardLoud()
    {
        parec_.waitForReadyRead(2);
        const QByteArray bytes = pending_ + parec_.readAll();
        const qsizetype whole = bytes.size() & ~qsizetype(1);
        pending_ = bytes.mid(whole);
        const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
        for (qsizetype i = 0; i < whole / 2; ++i) {
            if (std::abs(int(samples[i])) >= LoudSample) {
                return true;
            }
        }
        return false;
    }

private:
    QProcess parec_;
    QByteArray pending_;
};

// Watches the root for a top-level window being mapped.
class MapWatch {
public:
    explicit MapWatch(const QString &display)
        : connection_(xcb_connect(display.toUtf8().constData(), nullptr))
    {
        if (xcb_connection_has_error(connection_)) {
            return;
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~MapWatch() { xcb_disconnect(connection_); }
    MapWatch(const MapWatch &) = delete;
    MapWatch &operator=(const MapWatch &) = delete;

    bool mapped()
    {
        bool seen = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
            seen = seen || (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            free(event);
        }
        return seen;
    }

private:
    xcb_connection_t *connection_;
};

double elapsedMs(const QElapsedTimer &clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

struct Start {
    double sound = -1;
    double windowAndSound = -1;
};

// From exec to the first loud sample at the sink, and to that and a window mapped.
Start timeToSound(const Contender &c, const QStringList &arguments, SoundProbe &probe, const QString &display)
{
    probe.quiet();
    MapWatch watch(display);
    QProcess process;
    process.setProcessEnvironment(c.env);
    QElapsedTimer clock;
    clock.start();
    process.start(c.program, arguments);
    Start start;
    double window = -1;
    while ((start.sound < 0 || window < 0) && clock.elapsed() < 20000) {
        if (start.sound < 0 && probe.heardLoud()) {
            start.sound = elapsedMs(clock);
        }
        if (window < 0 && watch.mapped()) {
            window = elapsedMs(clock);
        }
    }
    if (start.sound >= 0 && window >= 0) {
        start.windowAndSound = std::max(start.sound, window);
    }
    bench::stopProcess(process);
    return start;
}

struct Playing {
    double cpu = -1;    // seconds over the play time
    double peakKb = -1; // VmHWM
    double anonKb = -1; // RssAnon at the end
};

Playing whilePlaying(const Contender &c, const QString &file)
{
    QProcess process;
    process.setProcessEnvironment(c.env);
    process.start(c.program, c.arguments(file));
    Playing playing;
    if (!process.waitForStarted()) {
        return playing;
    }
    QThread::msleep(SettleMs);
    const qint64 pid = process.processId();
    const double before = bench::cpuSeconds(pid);
    QThread::msleep(PlaySeconds * 1000);
    playing.cpu = bench::cpuSeconds(pid) - before;
    playing.peakKb = bench::statusField(pid, "VmHWM");
    playing.anonKb = bench::statusField(pid, "RssAnon");
    bench::stopProcess(process);
    return playing;
}

// Audacious writes its plug-in list when its first run ends; the list then gets the
// skinned interface switched on and the standard one off.
bool makeSkinned(const QString &home, const QProcessEnvironment &env, const QString &display)
{
    const QString registry = home + QStringLiteral("/config/audacious/plugin-registry");
    MapWatch watch(display);
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral("audacious"), {QStringLiteral("-Q")});
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && !watch.mapped()) {
        QThread::msleep(50);
    }
    first.terminate(); // it saves its settings as it ends
    first.waitForFinished(10000);
    QFile file(registry);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QString list = QString::fromUtf8(file.readAll());
    file.close();
    auto enable = [&list](const char *plugin, bool on) {
        const QRegularExpression entry(
            QStringLiteral("(iface \\S*/%1\\.so\\n(?:(?!iface |enabled ).*\\n)*)enabled \\d")
                .arg(QRegularExpression::escape(QLatin1String(plugin))));
        const QString before = list;
        list.replace(entry, QStringLiteral("\\1enabled %1").arg(on ? 1 : 0));
        return list != before;
    };
    const bool skinned = enable("skins-qt", true);
    enable("qtui", false);
    bench::writeFile(registry, list.toUtf8());
    return skinned;
}

Contender lyrabox(const QString &home, QProcessEnvironment env)
{
    env.insert(QStringLiteral("LYRABOX_AUDIO_SINK"), QStringLiteral("pulsesink"));
    return {QStringLiteral("lyrabox3"), QStringLiteral(LYRA_PLAYER_BINARY), env,
            [](const QString &) { return QStringList(); },
            [home](const QStringList &folders) { bench::prepareUser(home, folders, "AutoPlay=play\n"); }};
}

Contender audacious(const QString &home, const QProcessEnvironment &base)
{
    QProcessEnvironment env = base;
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    return {QStringLiteral("Audacious (skinned)"), QStringLiteral("audacious"), env,
            [](const QString &what) {
                return QStringList{QStringLiteral("-Q"), what};
            },
            [home](const QStringList &) {
                // Each run starts with no play list of its own, as the player's does.
                QDir(home + QStringLiteral("/config/audacious/playlists")).removeRecursively();
                QFile::remove(home + QStringLiteral("/config/audacious/playlist-state"));
            }};
}

// 100 folders of 100 hard links to one playable MP3; returns the folders.
QStringList linkTree(const QString &root, const QString &song)
{
    QStringList folders;
    for (int f = 0; f < Folders; ++f) {
        const QString folder = QStringLiteral("%1/folder%2/").arg(root).arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int i = 0; i < FilesPerFolder; ++i) {
            // Hard links keep 10,000 playable files small.
            ::link(song.toLocal8Bit().constData(),
                   (folder + QStringLiteral("track%1.mp3").arg(i, 3, 10, QLatin1Char('0')))
                       .toLocal8Bit()
                       .constData());
        }
        folders << folder;
    }
    return folders;
}

void printRow(const char *what, const char *unit, int decimals, double mine, double theirs, bool installed)
{
    std::printf("  %-52s %8.*f %-3s", what, decimals, mine, unit);
    if (installed) {
        std::printf("  Audacious %8.*f %-3s  ratio %.2f\n", decimals, theirs, unit,
                    theirs > 0 ? mine / theirs : 0.0);
    } else {
        std::printf("  Audacious not installed\n");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString display = qEnvironmentVariable("BENCH_DISPLAY", QStringLiteral(":66"));
    bench::XServer server(display);
    QTemporaryDir dir;
    const QString song =
        bench::makeMp3(dir.path() + QStringLiteral("/music/a long tone whose title is far wider "
                                                   "than the title box of the main window.mp3"),
                       PlaySeconds + SettleMs / 1000 + 20);
    const QString tree = dir.path() + QStringLiteral("/tree");
    const QStringList treeFolders = linkTree(tree, song);
    QDir().mkpath(dir.path() + QStringLiteral("/pulse"));
    bench::PulseServer pulse(dir.path() + QStringLiteral("/pulse"));
    SessionBus bus;
    if (!QFileInfo::exists(song) || !pulse.running() || bus.address().isEmpty()) {
        std::fprintf(stderr, "needs gst-launch-1.0, pulseaudio and dbus-daemon\n");
        return 1;
    }
    QProcessEnvironment env = bench::environment(dir.path() + QStringLiteral("/home"), display);
    env.insert(QStringLiteral("PULSE_SERVER"), pulse.address());
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    // Xvfb has no GPU: Qt 5's GLX integration would map Mesa's software renderer (libLLVM,
    // some 45 MB) into Audacious, which no desktop with a graphics driver of its own pays.
    env.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
    std::printf("load: %s\n", qPrintable(bench::uptime()));

    std::vector<Contender> contenders{lyrabox(dir.path() + QStringLiteral("/home"), env)};
    const bool installed = !QStandardPaths::findExecutable(QStringLiteral("audacious")).isEmpty();
    if (installed) {
        const QString home = dir.path() + QStringLiteral("/audacious");
        QDir().mkpath(home);
        QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        contenders.push_back(audacious(home, env));
        if (!makeSkinned(home, contenders.back().env, display)) {
            std::fprintf(stderr, "Audacious's skinned interface could not be selected\n");
            return 1;
        }
    }

    const QStringList songFolder{QFileInfo(song).absolutePath() + QLatin1Char('/')};
    std::vector<std::vector<double>> cpu(2), peak(2), anon(2), sound(2), big(2);
    for (int run = 0; run < CpuRuns; ++run) {
        for (size_t i = 0; i < contenders.size(); ++i) {
            contenders[i].prepare(songFolder);
            const Playing p = whilePlaying(contenders[i], song);
            cpu[i].push_back(p.cpu);
            peak[i].push_back(p.peakKb / 1024);
            anon[i].push_back(p.anonKb / 1024);
        }
    }
    SoundProbe probe(env);
    for (int run = 0; run <= SoundRuns; ++run) { // the first run warms the caches
        for (size_t i = 0; i < contenders.size(); ++i) {
            contenders[i].prepare(songFolder);
            const double one =
                timeToSound(contenders[i], contenders[i].arguments(song), probe, display).sound;
            contenders[i].prepare(treeFolders);
            const double many =
                timeToSound(contenders[i], contenders[i].arguments(tree), probe, display).windowAndSound;
            if (run > 0) {
                sound[i].push_back(one);
                big[i].push_back(many);
            }
        }
    }
    auto theirs = [installed](const std::vector<double> &values) {
        return installed ? bench::median(values) : -1;
    };
    std::printf("lyrabox3 against Audacious in its skinned interface, PulseAudio null sink (medians)\n");
    printRow("CPU over 30 s of one MP3", "s", 2, bench::median(cpu[0]), theirs(cpu[1]), installed);
    printRow("peak resident memory while playing", "MiB", 1, bench::median(peak[0]), theirs(peak[1]),
             installed);
    printRow("private (anonymous) memory while playing", "MiB", 1, bench::median(anon[0]), theirs(anon[1]),
             installed);
    printRow("exec to sound, warm", "ms", 0, bench::median(sound[0]), theirs(sound[1]), installed);
    printRow("exec to window and sound, 10,000 files in 100 folders", "ms", 0, bench::median(big[0]),
             theirs(big[1]), installed);
    return 0;
}
