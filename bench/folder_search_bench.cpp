// Times the drive search's walk over a tree of 20,000 folders, five levels deep,
// against `find -xdev` walking the same tree.

#include "folders/FolderWalker.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Runs = 7;
// 10 + 80 + 640 + 5,120 folders in the first four levels; the fifth takes the rest.
constexpr int Fanout[] = {10, 8, 8, 8};
constexpr int TotalFolders = 20000;

struct Tree {
    int folders = 0;
    int withMusic = 0;
    int hidden = 0;
    int unreadable = 0;
};

void writeSmallFile(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("0123456789abcdef");
    }
}

// Every fourth folder holds a playable file, every fiftieth is hidden and every
// ninety-seventh leaf is unreadable; one link points back at the root.
void addFolder(const QString &path, bool leaf, Tree &tree, std::vector<QString> &locked)
{
    const int index = tree.folders++;
    QDir().mkpath(path);
    writeSmallFile(path + QStringLiteral("/notes.txt"));
    writeSmallFile(path + QStringLiteral("/cover.jpg"));
    if (index % 4 == 0) {
        writeSmallFile(path + QStringLiteral("/track.mp3"));
        ++tree.withMusic;
    }
    if (leaf && index % 97 == 0) {
        locked.push_back(path);
        ++tree.unreadable;
    }
}

QString childName(int index, int serial)
{
    const bool hidden = serial % 50 == 49;
    return QStringLiteral("%1folder%2").arg(hidden ? QStringLiteral(".") : QString()).arg(index);
}

Tree buildTree(const QString &root, std::vector<QString> &locked)
{
    Tree tree;
    int serial = 0;
    std::vector<QString> level{root};
    for (int fanout : Fanout) {
        std::vector<QString> next;
        for (const QString &parent : level) {
            for (int i = 0; i < fanout; ++i) {
                next.push_back(parent + QLatin1Char('/') + childName(i, serial++));
                addFolder(next.back(), false, tree, locked);
            }
        }
        level = std::move(next);
    }
    const int remaining = TotalFolders - tree.folders;
    for (int p = 0, made = 0; made < remaining; p = (p + 1) % static_cast<int>(level.size()), ++made) {
        addFolder(level[p] + QLatin1Char('/') + childName(made / static_cast<int>(level.size()), serial++),
                  true, tree, locked);
    }
    for (const QString &path : locked) {
        QFile::setPermissions(path, QFileDevice::Permissions());
    }
    tree.hidden = serial / 50;
    QFile::link(root, level.front() + QStringLiteral("/loop"));
    return tree;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds from the start to the last hit.
double timeSearch(const QString &root, int &hits)
{
    std::atomic<bool> running{true};
    QElapsedTimer timer;
    qint64 lastHit = 0;
    hits = 0;
    FolderWalker walker(running, [&](const QString &) {
        ++hits;
        lastHit = timer.nsecsElapsed();
    });
    timer.start();
    walker.walk(root);
    return static_cast<double>(lastHit) / 1e6;
}

double timeFind(const QString &root, qsizetype &lines)
{
    QElapsedTimer timer;
    timer.start();
    QProcess find;
    find.start(QStringLiteral("find"), {root, QStringLiteral("-xdev")});
    find.waitForFinished(-1);
    lines = find.readAllStandardOutput().count('\n');
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main()
{
    QTemporaryDir scratch;
    const QString root = scratch.path() + QStringLiteral("/music");
    std::vector<QString> locked;
    std::printf("building %d folders ...\n", TotalFolders);
    std::fflush(stdout);
    const Tree tree = buildTree(root, locked);
    std::printf("tree: %d folders, %d with a playable file, %d hidden, %d unreadable%s, one link loop\n",
                tree.folders, tree.withMusic, tree.hidden, tree.unreadable,
                geteuid() == 0 ? " (readable anyway: running as root)" : "");

    int hits = 0;
    qsizetype lines = 0;
    timeSearch(root, hits); // warm the caches for both sides
    timeFind(root, lines);
    std::vector<double> search;
    std::vector<double> find;
    for (int i = 0; i < Runs; ++i) {
        search.push_back(timeSearch(root, hits));
        find.push_back(timeFind(root, lines));
    }
    const double searchMs = median(search);
    const double findMs = median(find);
    std::printf("search, last hit : %8.1f ms  (%d hits)\n", searchMs, hits);
    std::printf("find -xdev       : %8.1f ms  (%lld entries)\n", findMs, static_cast<long long>(lines));
    std::printf("ratio            : %8.2f  (goal: 1.5 or less; median of %d runs)\n", searchMs / findMs,
                Runs);

    for (const QString &path : locked) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    return 0;
}
