#pragma once

// Shared pieces of the benchmarks: a private X server, a private user profile,
// trees of play folders, and figures read from /proc.

#include "core/DateText.h"
#include "platform/UserName.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <map>
#include <unistd.h>
#include <vector>

namespace bench {

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

// A sine tone of the given length, encoded as MP3.
inline QString makeMp3(const QString &path, int seconds)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QProcess::execute(QStringLiteral("gst-launch-1.0"),
                      {QStringLiteral("-q"), QStringLiteral("audiotestsrc"), QStringLiteral("wave=sine"),
                       QStringLiteral("num-buffers=%1").arg(seconds * 44100 / 1024),
                       QStringLiteral("samplesperbuffer=1024"), QStringLiteral("!"),
                       QStringLiteral("audio/x-raw,rate=44100,channels=2"), QStringLiteral("!"),
                       QStringLiteral("audioconvert"), QStringLiteral("!"), QStringLiteral("lamemp3enc"),
                       QStringLiteral("!"), QStringLiteral("filesink"), QStringLiteral("location=") + path});
    return path;
}

inline double median(std::vector<double> values)
{
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// `folders` play folders of `files` tiny files each; returns the folders.
inline QStringList buildTree(const QString &root, int folders, int files)
{
    QStringList list;
    for (int f = 0; f < folders; ++f) {
        const QString folder = QStringLiteral("%1/folder%2/").arg(root).arg(f, 4, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int i = 0; i < files; ++i) {
            writeFile(folder + QStringLiteral("track%1.mp3").arg(i, 3, 10, QLatin1Char('0')), "ID3");
        }
        list << folder;
    }
    return list;
}

inline QByteArray listText(const QStringList &entries)
{
    QByteArray text;
    for (const QString &entry : entries) {
        text += entry.toUtf8() + "\r\n";
    }
    return text + "\r\n";
}

// A user past the first run, with these play folders, settings and (if any) backup list.
inline void prepareUser(const QString &home, const QStringList &folders, const QByteArray &settings,
                        const QStringList &backup = {})
{
    QDir().mkpath(home + QStringLiteral("/runtime"));
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(home + QStringLiteral("/config/lyrabox3/HKEY_CURRENT_USER.ini"),
              "[Software\\MIRAVELT\\Lyrabox 3]\n" + settings);
    writeFile(home + QStringLiteral("/config/lyrabox3/HKEY_LOCAL_MACHINE.ini"),
              "[SOFTWARE\\MIRAVELT\\Lyrabox 3]\nRevision=41\nLastUP=" +
                  DateText::format(QDate::currentDate()).toUtf8() + "\nRelease=\n");
    const QString lists = home + QStringLiteral("/data/lyrabox3/") + platform::currentUserName();
    writeFile(lists + QStringLiteral(".fllx3"), listText(folders));
    QFile::remove(lists + QStringLiteral(".flblx3"));
    if (!backup.isEmpty()) {
        writeFile(lists + QStringLiteral(".flblx3"), listText(backup));
    }
}

inline QProcessEnvironment environment(const QString &home, const QString &display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LYRABOX_AUDIO_SINK"), QStringLiteral("fakesink"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    return env;
}

// A private Xvfb with no window manager, stopped by its process id.
class XServer {
public:
    explicit XServer(const QString &display) : display_(display)
    {
        server_.start(QStringLiteral("Xvfb"),
                      {display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        server_.waitForStarted();
        const QString socket = QStringLiteral("/tmp/.X11-unix/X") + display.mid(1);
        for (int i = 0; i < 100 && !QFileInfo::exists(socket); ++i) {
            QThread::msleep(50);
        }
    }
    ~XServer()
    {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    const QString &display() const { return display_; }

private:
    QString display_;
    QProcess server_;
};

inline void stopProcess(QProcess &process)
{
    process.kill(); // no unload: the lists on disk stay as the run found them
    process.waitForFinished(5000);
}

// A line of /proc/PID/status, in its own unit (kB for memory).
inline double statusField(qint64 pid, const QByteArray &name, const QString &task = {})
{
    const QString path = task.isEmpty() ? QStringLiteral("/proc/%1/status").arg(pid)
                                        : QStringLiteral("/proc/%1/task/%2/status").arg(pid).arg(task);
    QFile status(path);
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name + ':')) {
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toDouble();
        }
    }
    return -1;
}

// A private PulseAudio daemon with one null sink, as a desktop's sound output
// without a sound card; stopped by its process id.
class PulseServer {
public:
    explicit PulseServer(const QString &dir) : socket_(dir + QStringLiteral("/native"))
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir);
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        server_.setProcessEnvironment(env);
        server_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        server_.setStandardErrorFile(dir + QStringLiteral("/pulseaudio.log"));
        server_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                       QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                       QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=bench"),
                       QStringLiteral("-L"),
                       QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket_});
        server_.waitForStarted();
        for (int i = 0; i < 100 && !QFileInfo::exists(socket_); ++i) {
            QThread::msleep(50);
        }
    }
    ~PulseServer()
    {
        server_.terminate();
        if (!server_.waitForFinished(5000)) {
            server_.kill();
            server_.waitForFinished();
        }
    }
    PulseServer(const PulseServer &) = delete;
    PulseServer &operator=(const PulseServer &) = delete;

    bool running() const { return server_.state() == QProcess::Running && QFileInfo::exists(socket_); }
    QString address() const { return QStringLiteral("unix:") + socket_; }

private:
    QString socket_;
    QProcess server_;
};

// CPU seconds (user + system) a process has used so far.
inline double cpuSeconds(qint64 pid)
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

// CPU time of every thread the process has now, to the nanosecond (the scheduler's own
// count): the ticks of cpuSeconds are 10 ms, too coarse for the fraction of a second a
// quiet player spends over a run. Threads that ended before the call are not counted.
inline double threadSeconds(qint64 pid)
{
    double total = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks + QLatin1Char('/') + task + QStringLiteral("/schedstat"));
        if (stat.open(QIODevice::ReadOnly)) {
            total += stat.readAll().split(' ').value(0).toDouble() / 1e9;
        }
    }
    return total;
}

// The load, as `uptime` says it: the figures of a shared machine are read beside it.
inline QString uptime()
{
    QProcess load;
    load.start(QStringLiteral("uptime"));
    load.waitForFinished();
    return QString::fromUtf8(load.readAllStandardOutput()).trimmed();
}

// Context switches of each thread, by thread id.
inline std::map<QString, double> threadSwitches(qint64 pid)
{
    std::map<QString, double> switches;
    const QStringList tasks =
        QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        switches[task] = std::max(0.0, statusField(pid, "voluntary_ctxt_switches", task)) +
                         std::max(0.0, statusField(pid, "nonvoluntary_ctxt_switches", task));
    }
    return switches;
}

// Switches between two counts, over the threads that lived through both.
inline double switchesBetween(const std::map<QString, double> &before, const std::map<QString, double> &after)
{
    double total = 0;
    for (const auto &[task, count] : after) {
        if (const auto it = before.find(task); it != before.end()) {
            total += count - it->second;
        }
    }
    return total;
}

// Voluntary and involuntary context switches of every thread of the process.
inline double contextSwitches(qint64 pid)
{
    double total = 0;
    const QStringList tasks =
        QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        total += std::max(0.0, statusField(pid, "voluntary_ctxt_switches", task)) +
                 std::max(0.0, statusField(pid, "nonvoluntary_ctxt_switches", task));
    }
    return total;
}

// The reference program: a bare Qt window, shown, then the event loop.
inline int runBareWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(320, 120);
    window.show();
    return app.exec();
}

inline bool wantsBareWindow(int argc, char **argv)
{
    return argc > 1 && QByteArray(argv[1]) == "--bare-window";
}

} // namespace bench
