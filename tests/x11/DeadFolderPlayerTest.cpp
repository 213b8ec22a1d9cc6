#include "platform/Paths.h"
#include "platform/UserName.h"
#include "support/AudioFixtures.h"
#include "support/ChildProcess.h"
#include "support/DeadMount.h"
#include "support/HangReport.h"
#include "support/PlayerFixture.h"
#include "x11/PlayerProgram.h"

using namespace RegistryModule;

namespace {

using DeadFolderPlayerTest = PlayerFixture;

int visibleWindows(qint64 pid)
{
    return int(xdotool(QStringLiteral("search --onlyvisible --pid %1").arg(pid)).count(u'\n'));
}

bool holdsOpen(qint64 pid, const QString &file)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFile::symLinkTarget(fds.filePath(fd)) == file) {
            return true;
        }
    }
    return false;
}

} // namespace

// The real program with one play folder on a network share whose server went away.
TEST_F(DeadFolderPlayerTest, ComesUpPlaysTheGoodFolderAndEndsOnSigtermWithTheListsAsTheyWere)
{
    DeadMount dead({"gone.wav"});
    REQUIRE_DEAD_MOUNT(dead);
    const QString good = AudioFixtures::makeTone(music.path(), "a.wav", 4000);
    ASSERT_FALSE(good.isEmpty());
    const QString dataFile = platform::dataDir() + platform::currentUserName();
    markStartedBefore();
    SetRegString(HKEY_CURRENT_USER, SettingsKey, AutoPlay, "play");
    dead.stop();
    const struct {
        const char *backup;
        QByteArray backupList;
        bool plays;
    } rows[] = {
        // Off: the start renews from both folders and plays what the good one holds.
        {"", {}, true},
        // On: the head of the restored list lies on the dead folder; it is kept, nothing plays.
        {"active", (dead.path() + "/gone.wav\r\n" + good + "\r\n\r\n").toUtf8(), false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.backup);
        SetRegString(HKEY_CURRENT_USER, SettingsKey, ListBackup, row.backup);
        const QByteArray folders = (music.path() + "/\r\n" + dead.path() + "/\r\n\r\n").toUtf8();
        for (const auto &[extension, bytes] :
             {std::pair{".fllx3", folders}, {".fwllx3", QByteArray("\r\n")}, {".flblx3", row.backupList}}) {
            const QString path = dataFile + extension;
            ASSERT_TRUE(bytes.isEmpty() ? !QFile::exists(path) || QFile::remove(path)
                                        : writeFile(path, bytes));
        }
        ChildProcess player;
        // An instrumented player's leak check at exit stops every thread, and one stuck in
        // the dead mount never stops: the check would keep it from ending.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
        player.setProcessEnvironment(environment);
        player.start(LYRA_PLAYER_BINARY);
        // Deadlines of the behaviour, measured generously; not a benchmark. An instrumented
        // player starts slower and checks for leaks before it ends. The start itself waits
        // up to 1.5 s on the dead folder (its answer, then the renewal), and the first start
        // of a program just built can take a second more.
        constexpr int scale = LYRA_DEADLINE_SCALE;
        const bool shown = mainWindowShown(player, 5000 * scale);
        EXPECT_TRUE(shown) << "the main window comes up\n"
                           << (shown ? std::string() : hangReport(player.processId()).toStdString());
        if (row.plays) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return holdsOpen(player.processId(), good); }, 5000))
                << "the good folder plays";
        }
        const int windows = visibleWindows(player.processId());
        xdotool("search --onlyvisible --name \"^Lyrabox 3$\" mousemove --window %1 200 80 click 1");
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return visibleWindows(player.processId()) > windows; }, 3000 * scale))
            << "the menu answers";
        xdotool("key Escape");
        player.terminate();
        const bool ended = player.waitForFinished(3000 * scale);
        EXPECT_TRUE(ended) << "SIGTERM ends it\n"
                           << (ended ? std::string() : hangReport(player.processId()).toStdString());
        EXPECT_EQ(std::tuple(player.exitStatus(), player.exitCode()), std::tuple(QProcess::NormalExit, 0));
        EXPECT_EQ(readFile(dataFile + ".fllx3"), folders) << "the dead folder stays a play folder";
        EXPECT_EQ(readFile(dataFile + ".fwllx3"), QByteArray("\r\n"));
        EXPECT_EQ(readFile(dataFile + ".flblx3", "<missing>"),
                  row.backupList.isEmpty() ? QByteArray("<missing>") : row.backupList);
    }
}
