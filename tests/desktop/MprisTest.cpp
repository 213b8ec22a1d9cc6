#include "app/OptionForm.h"
#include "desktop/MprisService.h"
#include "desktop/TrackNotifier.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/CoverFiles.h"
#include "playback/PlayController.h"
#include "playback/TrackDetailsReader.h"
#include "support/AudioFixtures.h"
#include "support/ChildProcess.h"
#include "support/PlayerFixture.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDBusConnectionInterface>
#include <QDateTime>
#include <QImage>
#include <QUrl>
#include <deque>

// The player with real GStreamer on a private session bus that the test starts and stops,
// driven by playerctl and dbus-send as a desktop would.
class MprisTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        platform::setMediaDevice(nullptr); // real GStreamer
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(daemon.waitForReadyRead(10000)) << "dbus-daemon did not start";
        address = daemon.readLine().trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address); // the clients inherit the private bus
    }
    void TearDown() override
    {
        clients.clear();
        notifier.reset();
        service.reset();
        TestEnvironment::resetAll();
        QDBusConnection::disconnectFromBus("test");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    // The windows over the music folder, and the player on the bus.
    void startPlayer()
    {
        loadPlayerOver(music.path());
        service =
            std::make_unique<MprisService>(QDBusConnection::connectToBus(QString::fromUtf8(address), "test"));
        notifier = std::make_unique<TrackNotifier>(
            QDBusConnection::connectToBus(QString::fromUtf8(address), "test"));
        ASSERT_TRUE(service->isRegistered());
    }

    // "playerctl status" or "dbus-send Quit", on the private bus.
    QProcess *start(const QString &commandLine)
    {
        QStringList arguments = commandLine.split(u' ');
        const QString program = arguments.takeFirst();
        if (program == QLatin1String("playerctl")) {
            arguments.prepend("--player=lyrabox3");
        } else if (program == QLatin1String("dbus-send")) {
            arguments = QStringList{"--session", "--print-reply", "--dest=" + MprisService::ServiceName,
                                    MprisService::ObjectPath, "org.mpris.MediaPlayer2." + arguments.front()};
        }
        ChildProcess &client = clients.emplace_back();
        client.start(program, arguments);
        return &client;
    }
    static bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, 20000); }
    // The player answers from this event loop, so it keeps running while the client waits.
    static QString finish(QProcess *client)
    {
        EXPECT_TRUE(waitFor([client] { return client->state() == QProcess::NotRunning; }));
        return QString::fromUtf8(client->readAllStandardOutput()).trimmed();
    }
    QString run(const QString &commandLine) { return finish(start(commandLine)); }

    ChildProcess daemon;
    QByteArray address;
    std::deque<ChildProcess> clients;
    std::unique_ptr<MprisService> service;
    std::unique_ptr<TrackNotifier> notifier;
};

TEST_F(MprisTest, PlayerctlDrivesThePlayerThroughItsOwnButtonsMenusAndUnload)
{
    for (const char *name : {"a.wav", "b.wav", "c.wav"}) {
        ASSERT_FALSE(AudioFixtures::makeTone(music.path(), name, 8000).isEmpty());
    }
    startPlayer();

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
    EXPECT_TRUE(waitFor([&] { return PlayController::instance().MusicFileName() != first && playing(); }));
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
    std::for_each(burst.begin(), burst.end(), &MprisTest::finish);
    EXPECT_TRUE(waitFor(playing));
    EXPECT_NE(run("playerctl metadata xesam:title"), "");

    const QString playFolders = PlayListForm::listFilePath(".fllx3");
    QFile::remove(playFolders);
    EXPECT_NE(run("dbus-send Quit"), "");
    EXPECT_TRUE(waitFor([] { return FormRegistry::instance().loadedCount() == 0; }));
    EXPECT_TRUE(QFile::exists(playFolders)) << "the lists are written as at a normal end";
}

// The desktop shows each format's tags and cover, the file name and the folder's picture
// where a file has none, and with the option on a notification per start.
TEST_F(MprisTest, DesktopShowsTagsCoversAndNotifiesEachStart)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        GTEST_SKIP() << "the notification server needs the test's X display (LYRA_TEST_DISPLAY=xvfb)";
    }
    const auto picture = [](const char *format) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format));
        return bytes;
    };
    // Each tag shows as written; an untagged file shows its name and the folder's picture.
    const struct {
        const char *name;
        AudioFixtures::ToneTags tags;
        QString artFolder;
    } files[] = {
        {"one.mp3", {"月の窓", "岡田 あや", "夜の歌", 3, picture("JPEG")}, CoverFiles::coverCacheDir()},
        {"two.flac",
         {"Silver Line", "The Lanterns", "Harbour", 7, picture("PNG")},
         CoverFiles::coverCacheDir()},
        {"three.opus", {"Kuu", "Aino", "Talvi", 12, picture("JPEG")}, CoverFiles::coverCacheDir()},
        {"four.wav", {}, music.path() + u'/'},
    };
    for (const auto &file : files) {
        const AudioFixtures::ToneTags *tags = file.tags.title.isEmpty() ? nullptr : &file.tags;
        ASSERT_FALSE(AudioFixtures::makeTone(music.path(), file.name, 8000, 0.3, {}, tags).isEmpty())
            << file.name;
    }
    ASSERT_FALSE(AudioFixtures::writeFile(music.path(), "Cover.PNG", picture("PNG")).isEmpty());
    // A full cache of pictures, used long ago, oldest first: the three new ones take the place of 0 to 2.
    const QString cache = CoverFiles::coverCacheDir();
    ASSERT_TRUE(QDir().mkpath(cache));
    for (int n = 0; n < 200; ++n) {
        QFile old(AudioFixtures::writeFile(cache, QString("%1.jpg").arg(n), "x"));
        ASSERT_TRUE(old.open(QIODevice::ReadWrite) &&
                    old.setFileTime(QDateTime::fromSecsSinceEpoch(n), QFileDevice::FileModificationTime));
    }

    ChildProcess server;
    server.start("dunst", {});
    QProcess *monitor =
        start("dbus-monitor --session interface='org.freedesktop.Notifications',member='Notify'");
    ASSERT_TRUE(waitFor([&] {
        return QDBusConnection::connectToBus(QString::fromUtf8(address), "test")
            .interface()
            ->isServiceRegistered("org.freedesktop.Notifications");
    })) << "dunst did not come up";
    startPlayer();
    QProcess *albums = start("playerctl --follow metadata xesam:album");

    const struct {
        bool noticeOn, optionsOpen, notified, replacesLast;
    } starts[] = {{true, false, true, false},
                  {false, false, false, false},
                  {true, true, false, false},
                  {true, false, true, true}};
    QByteArray seen;
    int notices = 0;
    QString previous;
    for (const auto &step : starts) {
        OptionForm &options = FormRegistry::instance().load<OptionForm>();
        options.TrackNotice->setChecked(step.noticeOn);
        options.ExitFolderSetup_Click();
        if (step.optionsOpen) {
            FormRegistry::instance().load<OptionForm>();
        }
        run(previous.isEmpty() ? "playerctl play" : "playerctl next");
        ASSERT_TRUE(waitFor([&] {
            const QString now = PlayController::instance().MusicFileName();
            return now != previous && playing() && TrackDetailsReader::instance().details(now).has_value();
        }));
        previous = PlayController::instance().MusicFileName();
        const auto file = std::find_if(std::begin(files), std::end(files),
                                       [&](const auto &f) { return previous.endsWith(f.name); });
        QMap<QString, QString> metadata;
        for (const QString &line : run("playerctl metadata").split(u'\n')) {
            const auto match = QRegularExpression(R"(^\S+\s+(\S+)\s+(.*)$)").match(line);
            metadata.insert(match.captured(1), match.captured(2));
        }
        const AudioFixtures::ToneTags &tags = file->tags;
        const QString title = tags.title.isEmpty() ? QString::fromLatin1(file->name) : tags.title;
        // Title, artist, album and track number, a line each, so that a difference reads as text.
        const auto lines = [](const QStringList &values) { return values.join(u'\n').toStdString(); };
        EXPECT_EQ(lines({metadata.value("xesam:title"), metadata.value("xesam:artist"),
                         metadata.value("xesam:album"), metadata.value("xesam:trackNumber")}),
                  lines({title, tags.artist, tags.album,
                         tags.trackNumber ? QString::number(tags.trackNumber) : QString()}))
            << file->name;
        const QString art = QUrl(metadata.value("mpris:artUrl")).toLocalFile();
        EXPECT_TRUE(art.startsWith(file->artFolder)) << file->name << ": " << art.toStdString();
        EXPECT_FALSE(QImage(art).isNull()) << file->name << ": " << art.toStdString();
        EXPECT_EQ(main->FileNameLabel->text(), QString::fromLatin1(file->name))
            << "the main window shows the file";
        FormRegistry::instance().unload<OptionForm>();
        if (step.notified) {
            // One each: a start that should have been quiet shows in the count here.
            ++notices;
            EXPECT_TRUE(
                waitFor([&] { return (seen += monitor->readAll()).count("member=Notify") >= notices; }));
            EXPECT_EQ(seen.count("member=Notify"), notices) << file->name;
            const QString call = QString::fromUtf8(seen.mid(seen.lastIndexOf("member=Notify")));
            EXPECT_TRUE(call.contains("string \"Lyrabox 3\"\n   uint32 0\n") != step.replacesLast &&
                        call.contains(QString("string \"%1\"\n   string \"%2\"").arg(title, tags.artist)))
                << call.toStdString();
        }
    }
    EXPECT_EQ(
        std::tuple(QDir(cache).count() - 2, QFile::exists(cache + "2.jpg"), QFile::exists(cache + "3.jpg")),
        std::tuple(200, false, true));
    // Each tag came after its start and was announced again.
    QByteArray announced;
    EXPECT_TRUE(waitFor([&] {
        announced += albums->readAll();
        return announced.contains("夜の歌\n") && announced.contains("Harbour\n") &&
               announced.contains("Talvi\n");
    })) << announced.toStdString();
}
