#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "desktop/MprisService.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/PlayController.h"
#include "playback/PlayState.h"
#include "playlist/PlayListForm.h"
#include "support/AudioFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

// The player with real GStreamer on a private session bus that the test starts and stops,
// driven by playerctl and dbus-send as a desktop would.
using MprisTest = CleanStateTest;

TEST_F(MprisTest, PlayerctlDrivesThePlayerThroughItsOwnButtonsMenusAndUnload)
{
    MessageRecorder messages;
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(daemon.waitForReadyRead(10000)) << "dbus-daemon did not start";
    const QByteArray address = daemon.readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address); // the clients inherit the private bus
    std::deque<QProcess> clients;
    std::unique_ptr<MprisService> service;
    const auto stop = qScopeGuard([&] {
        clients.clear();
        service.reset();
        TestEnvironment::resetAll();
        QDBusConnection::disconnectFromBus("test");
        daemon.terminate();
        daemon.waitForFinished();
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    });
    QTemporaryDir folder;
    for (const char *name : {"a.wav", "b.wav", "c.wav"}) {
        ASSERT_FALSE(AudioFixtures::makeTone(folder.path(), name, 8000).isEmpty());
    }
    PlayListForm *list = &FormRegistry::instance().load<PlayListForm>();
    list->FolderList = QStringList{folder.path() + u'/'};
    list->PlayListRenewal();
    MainForm *main = &FormRegistry::instance().load<MainForm>();
    service =
        std::make_unique<MprisService>(QDBusConnection::connectToBus(QString::fromUtf8(address), "test"));
    ASSERT_TRUE(service->isRegistered());

    // "playerctl status" or "dbus-send Quit", on the private bus.
    const auto start = [&clients](const QString &commandLine) {
        QStringList arguments = commandLine.split(u' ');
        const QString program = arguments.takeFirst();
        if (program == QLatin1String("playerctl")) {
            arguments.prepend("--player=lyrabox3");
        } else {
            arguments = QStringList{"--session", "--print-reply", "--dest=" + MprisService::ServiceName,
                                    MprisService::ObjectPath, "org.mpris.MediaPlayer2." + arguments.front()};
        }
        QProcess &client = clients.emplace_back();
        client.start(program, arguments);
        return &client;
    };
    const auto waitFor = [](const std::function<bool()> &condition) {
        return QTest::qWaitFor(condition, 20000);
    };
    // The player answers from this event loop, so it keeps running while the client waits.
    const auto finish = [&](QProcess *client) {
        EXPECT_TRUE(waitFor([client] { return client->state() == QProcess::NotRunning; }));
        return QString::fromUtf8(client->readAllStandardOutput()).trimmed();
    };
    const auto run = [&](const QString &commandLine) { return finish(start(commandLine)); };

    QProcess *follower = start("playerctl --follow status");
    EXPECT_EQ(run("playerctl status"), "Stopped");

    using enum PlayState::State;
    const struct {
        const char *command;
        PlayState::State after;
        const char *status;
        const char *statusLabel;
    } steps[] = {
        {"play", Playing, "Playing", "Play."},       {"pause", Paused, "Paused", "Stop."},
        {"play-pause", Playing, "Playing", "Play."}, {"stop", Stopped, "Stopped", "Stop."},
        {"play", Playing, "Playing", "Play."},
    };
    for (const auto &step : steps) {
        run(QStringLiteral("playerctl ") + step.command);
        EXPECT_TRUE(waitFor([&] { return PlayState::instance().state() == step.after; })) << step.command;
        EXPECT_EQ(run("playerctl status"), step.status) << step.command;
        EXPECT_EQ(main->StatusLabel->text(), step.statusLabel) << step.command;
    }

    const QString first = PlayController::instance().MusicFileName();
    EXPECT_EQ(run("playerctl metadata xesam:title"), first.section(u'/', -1));
    EXPECT_EQ(run("playerctl metadata xesam:url"), "file://" + first);
    EXPECT_NEAR(run("playerctl metadata mpris:length").toLongLong(), 8000000, 100000);
    EXPECT_GT(run("playerctl position").toDouble(), 0.0);
    run("playerctl next");
    EXPECT_TRUE(waitFor([&] {
        return PlayController::instance().MusicFileName() != first &&
               PlayState::instance().state() == PlayState::State::Playing;
    }));
    EXPECT_EQ(run("playerctl metadata xesam:title"),
              PlayController::instance().MusicFileName().section(u'/', -1));
    EXPECT_EQ(main->FileStatusLabel->text(), "Rest : 0 / 3 Files");

    // The repeat goes through its menu item, and back.
    run("playerctl loop Track");
    EXPECT_TRUE(waitFor([&] { return list->AllMusicRepeat->isChecked(); }));
    EXPECT_EQ(run("playerctl loop"), "Track");
    list->AllMusicRepeat2->trigger();
    EXPECT_EQ(run("playerctl loop"), "None");
    run("playerctl loop Playlist");
    EXPECT_EQ(run("playerctl loop"), "None") << "a play list repeat is refused";

    main->hide();
    run("dbus-send Raise");
    EXPECT_TRUE(waitFor([&] { return main->isVisible(); }));
    run("playerctl stop");
    EXPECT_TRUE(waitFor([&] { return !PlayState::instance().trackOpen(); }));
    EXPECT_EQ(run("playerctl metadata xesam:title"), "");
    // A client that only listens saw every change, once.
    const QStringList seen{"Stopped", "Playing", "Paused", "Playing", "Stopped", "Playing", "Stopped"};
    EXPECT_TRUE(waitFor([&] { return follower->peek(4096).count('\n') >= seen.size(); }));
    EXPECT_EQ(QString::fromUtf8(follower->readAll()).split(u'\n', Qt::SkipEmptyParts), seen);
    follower->kill();

    // Calls from several clients at once land between the stop and the start of a track.
    run("playerctl play");
    std::vector<QProcess *> burst;
    for (const char *command : {"next", "metadata", "position", "next", "status", "next"}) {
        burst.push_back(start(QStringLiteral("playerctl ") + command));
    }
    std::for_each(burst.begin(), burst.end(), finish);
    EXPECT_TRUE(waitFor([] { return PlayState::instance().state() == PlayState::State::Playing; }));
    EXPECT_NE(run("playerctl metadata xesam:title"), "");

    const QString playFolders = PlayListForm::listFilePath(".fllx3");
    QFile::remove(playFolders);
    EXPECT_NE(run("dbus-send Quit"), "");
    EXPECT_TRUE(waitFor([] { return FormRegistry::instance().loadedCount() == 0; }));
    EXPECT_TRUE(QFile::exists(playFolders)) << "the lists are written as at a normal end";
}
