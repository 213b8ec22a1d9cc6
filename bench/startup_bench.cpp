// Start-up: exec to the main window mapped on a private X server (no window
// manager) with 100,000 playable files in 1,000 play folders, with the backup
// list on and off, against a bare Qt window's start plus `find` over the folders.

#include "BenchSupport.h"

#include <QTemporaryDir>

#include <poll.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int Folders = 1000;
constexpr int FilesPerFolder = 100;
constexpr int Runs = 5;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool isSplash(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t type, xcb_atom_t splash)
{
    const auto cookie = xcb_get_property(connection, 0, window, type, XCB_ATOM_ATOM, 0, 8);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &free);
    if (!reply || xcb_get_property_value_length(reply.get()) < 4) {
        return false;
    }
    return *static_cast<xcb_atom_t *>(xcb_get_property_value(reply.get())) == splash;
}

// Milliseconds from exec to the first top-level window mapped that is not a
// splash, seen as a MapNotify on the root; -1 when none comes within a minute.
double timeToMapped(const QString &display, const QString &program, const QStringList &arguments,
                    const QProcessEnvironment &env)
{
    xcb_connection_t *connection = xcb_connect(display.toUtf8().constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return -1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t type = atom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t splash = atom(connection, "_NET_WM_WINDOW_TYPE_SPLASH");
    xcb_flush(connection);

    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start();
    double mapped = -1;
    pollfd watch{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (mapped < 0 && clock.elapsed() < 60000 && poll(&watch, 1, 1000) >= 0) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && mapped < 0) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (!isSplash(connection, map->window, type, splash)) {
                    mapped = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                }
            }
            free(event);
        }
    }
    bench::stopProcess(process);
    xcb_disconnect(connection);
    return mapped;
}

double findMs(const QString &root)
{
    QElapsedTimer clock;
    clock.start();
    QProcess find;
    find.start(QStringLiteral("find"), {root, QStringLiteral("-type"), QStringLiteral("f")});
    find.waitForFinished(-1);
    find.readAllStandardOutput();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (bench::wantsBareWindow(argc, argv)) {
        return bench::runBareWindow(argc, argv);
    }
    QCoreApplication app(argc, argv);
    const QString display = qEnvironmentVariable("BENCH_DISPLAY", QStringLiteral(":64"));
    bench::XServer server(display);
    QTemporaryDir dir;
    const QString home = dir.path() + QStringLiteral("/home");
    std::printf("building %d folders x %d files ...\n", Folders, FilesPerFolder);
    std::fflush(stdout);
    const QStringList folders =
        bench::buildTree(dir.path() + QStringLiteral("/music"), Folders, FilesPerFolder);
    QStringList backup;
    for (const QString &folder : folders) {
        for (int i = 0; i < FilesPerFolder; ++i) {
            backup << folder + QStringLiteral("track%1.mp3").arg(i, 3, 10, QLatin1Char('0'));
        }
    }
    const QProcessEnvironment env = bench::environment(home, display);
    const QString player = QStringLiteral(LYRA_PLAYER_BINARY);
    findMs(dir.path()); // warm the caches for every side

    std::vector<double> withBackup, withoutBackup, reference;
    for (int i = 0; i < Runs; ++i) {
        bench::prepareUser(home, folders, "ListBackup=active\n", backup);
        withBackup.push_back(timeToMapped(display, player, {}, env));
        bench::prepareUser(home, folders, "ListBackup=\n");
        withoutBackup.push_back(timeToMapped(display, player, {}, env));
        const double bare = timeToMapped(display, QCoreApplication::applicationFilePath(),
                                         {QStringLiteral("--bare-window")}, env);
        reference.push_back(bare + findMs(dir.path() + QStringLiteral("/music")));
    }
    const double backed = bench::median(withBackup);
    const double renewed = bench::median(withoutBackup);
    const double floor = bench::median(reference);
    std::printf("start to main window, %d entries (median of %d)\n", Folders * FilesPerFolder, Runs);
    std::printf("  lyrabox3, backup list on : %8.1f ms\n", backed);
    std::printf("  lyrabox3, no backup      : %8.1f ms\n", renewed);
    std::printf("  bare Qt window + find    : %8.1f ms\n", floor);
    std::printf("  ratio (backup on)        : %8.2f  (goal: 1.5 or less)\n", backed / floor);
    std::printf("  ratio (no backup)        : %8.2f\n", renewed / floor);
    return backed > 0 && renewed > 0 ? 0 : 1;
}
