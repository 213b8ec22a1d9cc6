// Times a full play list renewal over 1,000 folders of 100 playable files each
// against `find` listing the same tree, and the shuffle of 100,000 entries.
// With --million it also renews 10,000 such folders and says whether the time
// grew in step with the number of files.

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
#include <vector>

namespace {

constexpr int Folders = 1000;
constexpr int MillionFolders = 10000;
constexpr int FilesPerFolder = 100;
constexpr int Runs = 5;

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

// Median of several runs, in milliseconds.
double bestOf(const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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

// Milliseconds of the best full renewal over the given folders.
double renewalOf(const QStringList &folders, qsizetype *entries)
{
    PlayListForm form;
    form.MusicFilePattern = PlayFilePattern::assemble({});
    form.FolderList = folders;
    form.PlayListRenewal(); // warm the caches
    const double best = bestOf([&form] { form.PlayListRenewal(); });
    *entries = form.PlayList->count();
    return best;
}

void compareWithAMillion(double renewal100k)
{
    QTemporaryDir tree;
    std::printf("building %d folders x %d files for the million run ...\n", MillionFolders, FilesPerFolder);
    std::fflush(stdout);
    qsizetype entries = 0;
    const double renewal = renewalOf(buildTree(tree.path(), MillionFolders), &entries);
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
    const double renewal = renewalOf(folders, &listed);
    runFind(tree.path());
    const double find = bestOf([&tree] { runFind(tree.path()); });
    std::printf("full renewal : %8.1f ms  (%lld files in the play list)\n", renewal,
                static_cast<long long>(listed));
    std::printf("find -type f : %8.1f ms  (%lld files listed)\n", find, static_cast<long long>(findLines));
    std::printf("ratio        : %8.2f  (goal: 1.1 or less; medians of %d)\n", renewal / find, Runs);

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
        compareWithAMillion(renewal);
    }
    return 0;
}
