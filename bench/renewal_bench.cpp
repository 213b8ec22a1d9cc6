// Times a full play list renewal over 1,000 folders of 100 playable files each
// against `find` listing the same tree, and the shuffle of 100,000 entries.
// With --million it also renews 10,000 such folders and says whether the time
// grew in step with the number of files. `--renewals N` only builds the tree and
// renews N times, for a profiler (perf record, valgrind --tool=callgrind).

#include "core/RandomSource.h"
#include "playlist/PlayFilePattern.h"
#include "playlist/PlayListForm.h"
#include "playlist/Shuffle.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int Folders = 1000;
constexpr int MillionFolders = 10000;
constexpr int FilesPerFolder = 100;
constexpr int Runs = 9;

const char *const Extensions[] = {"mp3", "WAV", "wma", "mid", "aiff", "au", "snd", "m3u"};
const char *const Others[] = {"cover.jpg", "notes.txt", "folder.ini", "lyrics.lrc", "track.mp3.bak"};
const char *const Hidden[] = {".hidden.mp3", ".DS_Store"};

void writeSmallFile(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("0123456789abcdef");
    }
}

QStringList buildTree(const QString &root, int folderCount = Folders)
{
    QStringList folders;
    for (int f = 0; f < folderCount; ++f) {
        const QString folder = QStringLiteral("%1/folder%2/").arg(root).arg(f, 4, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int i = 0; i < FilesPerFolder; ++i) {
            writeSmallFile(folder + QStringLiteral("track%1.%2")
                                        .arg(i, 3, 10, QLatin1Char('0'))
                                        .arg(QLatin1String(Extensions[i % std::size(Extensions)])));
        }
        for (const char *name : Others) {
            writeSmallFile(folder + QLatin1String(name));
        }
        for (const char *name : Hidden) {
            writeSmallFile(folder + QLatin1String(name));
        }
        folders << folder;
    }
    return folders;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// User and system time of this process's threads, or of its ended children.
double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](timeval t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Timing {
    double wallMs;
    double cpuMs;
};

// Medians of several runs, in milliseconds; the CPU time counts every thread of
// `who` (RUSAGE_SELF, RUSAGE_CHILDREN), which other programs' turns do not swell.
Timing medianOf(const std::function<void()> &run, int who)
{
    std::vector<double> times, cpu;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double before = cpuMs(who);
        run();
        cpu.push_back(cpuMs(who) - before);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return {median(times), median(cpu)};
}

QByteArray load()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("?");
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

qsizetype findLines = 0;

void runFind(const QString &root)
{
    QProcess find;
    find.start(QStringLiteral("find"), {root, QStringLiteral("-type"), QStringLiteral("f")});
    find.waitForFinished(-1);
    findLines = find.readAllStandardOutput().count('\n');
}

// The full renewal over the given folders; `repeat` times more for a profiler.
Timing renewalOf(const QStringList &folders, qsizetype *entries, int repeat = 0)
{
    PlayListForm form;
    form.MusicFilePattern = PlayFilePattern::assemble({});
    form.FolderList = folders;
    form.PlayListRenewal(); // warm the caches
    for (int i = 0; i < repeat; ++i) {
        form.PlayListRenewal();
    }
    const Timing timing = repeat > 0 ? Timing{} : medianOf([&form] { form.PlayListRenewal(); }, RUSAGE_SELF);
    *entries = form.PlayList->count();
    return timing;
}

void compareWithAMillion(double renewal100k)
{
    QTemporaryDir tree;
    std::printf("building %d folders x %d files for the million run ...\n", MillionFolders, FilesPerFolder);
    std::fflush(stdout);
    qsizetype entries = 0;
    const double renewal = renewalOf(buildTree(tree.path(), MillionFolders), &entries).wallMs;
    const double growth = renewal / renewal100k / (double(MillionFolders) / Folders);
    std::printf("1M renewal   : %8.1f ms  (%lld files in the play list)\n", renewal,
                static_cast<long long>(entries));
    std::printf("growth ratio : %8.2f  per file against 100,000 (%s)\n", growth,
                growth <= 1.3 ? "linear" : "worse than linear");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    QApplication app(argc, argv);

    QTemporaryDir tree;
    std::printf("building %d folders x %d files (+%zu other, +%zu hidden each) ...\n", Folders,
                FilesPerFolder, std::size(Others), std::size(Hidden));
    std::fflush(stdout);
    const QStringList folders = buildTree(tree.path());

    qsizetype listed = 0;
    const qsizetype repeat = app.arguments().indexOf(QStringLiteral("--renewals"));
    if (repeat > 0 && repeat + 1 < app.arguments().size()) {
        std::printf("renewing ...\n");
        std::fflush(stdout);
        renewalOf(folders, &listed, app.arguments().at(repeat + 1).toInt());
        std::printf("renewed (%lld files in the play list)\n", static_cast<long long>(listed));
        return 0;
    }
    std::printf("load         : %s\n", load().constData());
    const Timing renewal = renewalOf(folders, &listed);
    runFind(tree.path());
    const Timing find = medianOf([&tree] { runFind(tree.path()); }, RUSAGE_CHILDREN);
    std::printf("full renewal : %8.1f ms  (%.1f ms of CPU; %lld files in the play list)\n", renewal.wallMs,
                renewal.cpuMs, static_cast<long long>(listed));
    std::printf("find -type f : %8.1f ms  (%.1f ms of CPU; %lld files listed)\n", find.wallMs, find.cpuMs,
                static_cast<long long>(findLines));
    std::printf("ratio        : %8.2f  (CPU %.2f; goal: 1.0 or less; medians of %d)\n",
                renewal.wallMs / find.wallMs, renewal.cpuMs / find.cpuMs, Runs);

    PathStore entries;
    for (int i = 0; i < Folders * FilesPerFolder; ++i) {
        entries.append(
            QStringLiteral("/music/folder%1/track%2.mp3").arg(i / FilesPerFolder).arg(i % FilesPerFolder));
    }
    std::vector<double> shuffles, shuffleCpu;
    for (int i = 0; i < Runs; ++i) {
        PathStore source = entries; // the copy is not part of the shuffle
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadCpuMs();
        const PathStore dealt = shuffleDeal(source, RandomSource::Rnd);
        shuffleCpu.push_back(threadCpuMs() - cpu);
        shuffles.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(shuffles.begin(), shuffles.end());
    std::sort(shuffleCpu.begin(), shuffleCpu.end());
    // On a loaded machine the wall time counts other programs' turns; the CPU time does not.
    std::printf("shuffle      : %8.1f ms  (%d entries; %.1f ms of CPU; goal: under 20 ms)\n",
                shuffles[shuffles.size() / 2], Folders * FilesPerFolder, shuffleCpu[shuffleCpu.size() / 2]);
    if (app.arguments().contains(QStringLiteral("--million"))) {
        compareWithAMillion(renewal.wallMs);
    }
    std::printf("load         : %s\n", load().constData());
    return 0;
}
