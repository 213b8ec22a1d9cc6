// Peak resident memory (VmHWM) of the player playing with 100,000 entries in
// its play list, against gst-play-1.0 playing the same file plus a bare Qt window;
// and the player's private (anonymous) memory with an empty list, beside a bare Qt window's.

#include "BenchSupport.h"

#include <QTemporaryDir>

namespace {

constexpr int Folders = 1000;
constexpr int FilesPerFolder = 100;
constexpr int PlayMs = 10000;
constexpr int Runs = 3;

// Peak resident kB of a process run for the play time, or another field of its status.
double peakKb(const QString &program, const QStringList &arguments, const QProcessEnvironment &env,
              const QByteArray &field = "VmHWM")
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        return -1;
    }
    QThread::msleep(PlayMs);
    const double peak = bench::statusField(process.processId(), field);
    bench::stopProcess(process);
    return peak;
}

} // namespace

int main(int argc, char **argv)
{
    if (bench::wantsBareWindow(argc, argv)) {
        return bench::runBareWindow(argc, argv);
    }
    QCoreApplication app(argc, argv);
    const QString display = qEnvironmentVariable("BENCH_DISPLAY", QStringLiteral(":65"));
    bench::XServer server(display);
    QTemporaryDir dir;
    const QString home = dir.path() + QStringLiteral("/home");
    const QString song =
        bench::makeMp3(dir.path() + QStringLiteral("/song/long tone.mp3"), PlayMs / 1000 + 20);
    const QStringList folders =
        bench::buildTree(dir.path() + QStringLiteral("/music"), Folders, FilesPerFolder);
    QStringList backup{song};
    for (int i = 1; i < Folders * FilesPerFolder; ++i) {
        backup << folders.at(i / FilesPerFolder) +
                      QStringLiteral("track%1.mp3").arg(i % FilesPerFolder, 3, 10, QLatin1Char('0'));
    }
    const QProcessEnvironment env = bench::environment(home, display);

    std::vector<double> player, reference;
    for (int i = 0; i < Runs; ++i) {
        bench::prepareUser(home, folders, "AutoPlay=play\nListBackup=active\n", backup);
        player.push_back(peakKb(QStringLiteral(LYRA_PLAYER_BINARY), {}, env));
        const double gst = peakKb(QStringLiteral("gst-play-1.0"),
                                  {QStringLiteral("--no-interactive"), QStringLiteral("-q"),
                                   QStringLiteral("--audiosink=fakesink sync=true"), song},
                                  env);
        const double bare =
            peakKb(QCoreApplication::applicationFilePath(), {QStringLiteral("--bare-window")}, env);
        reference.push_back(gst + bare);
    }
    const double mine = bench::median(player);
    const double floor = bench::median(reference);
    std::printf("peak resident memory while playing, %d entries (median of %d)\n", Folders * FilesPerFolder,
                Runs);
    std::printf("  lyrabox3                    : %8.1f MB\n", mine / 1024);
    std::printf("  gst-play-1.0 + bare Qt window: %8.1f MB\n", floor / 1024);
    std::printf("  ratio                       : %8.2f  (goal: 1.0 or less)\n", mine / floor);

    std::vector<double> empty, bareAnon;
    for (int i = 0; i < Runs; ++i) {
        bench::prepareUser(home, {}, "AutoPlay=\n");
        empty.push_back(peakKb(QStringLiteral(LYRA_PLAYER_BINARY), {}, env, "RssAnon"));
        bareAnon.push_back(peakKb(QCoreApplication::applicationFilePath(), {QStringLiteral("--bare-window")},
                                  env, "RssAnon"));
    }
    std::printf("private (anonymous) resident memory with an empty list (median of %d)\n", Runs);
    std::printf("  lyrabox3                    : %8.1f MB  (goal: 12 or less)\n",
                bench::median(empty) / 1024);
    std::printf("  bare Qt window              : %8.1f MB\n", bench::median(bareAnon) / 1024);
    return 0;
}
