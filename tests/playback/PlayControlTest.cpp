#include "app/Application.h"
#include "core/RegistryModule.h"
#include "folders/FolderForm.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/PlayerFixture.h"
#include "playback/TextColour.h"
#include "playlist/ListFile.h"

#include "mainwindow/ImageButton.h"

#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QTimer>

using PlayControlTest = PlayerFixture;

TEST_F(PlayControlTest, PlayPauseResumeAndStopFollowTheCommandCode)
{
    const QString first = makeFile(QStringLiteral("first song.mp3"));
    const QString second = makeFile(QStringLiteral("second.mp3"));
    loadPlayer({first, second});
    EXPECT_EQ(counter(), QStringLiteral("Rest : 2 / 2 Files"));

    main->MusicPlay_Click();
    EXPECT_EQ(device->commands,
              (QStringList{QStringLiteral("open \"") + first + QStringLiteral("\" alias MusicMedia"),
                           QStringLiteral("set MusicMedia time format milliseconds"),
                           QStringLiteral("status MusicMedia length"), QStringLiteral("play MusicMedia")}));
    EXPECT_EQ(list->PlayList->store().toStringList(), QStringList{second});
    EXPECT_EQ(shown(), QStringLiteral("Play. | Rest : 1 / 2 Files | 00:00:00 | / 00:03:25 | first song.mp3"));
    EXPECT_EQ(main->FileNameLabel->toolTip() + u' ' + list->NaviFile->text(), first + QStringLiteral(" 1"));
    EXPECT_EQ(std::tuple(statusColour(), main->MusicStop->isEnabled(), main->MusicTimer->isActive(),
                         sys().PlayCommand),
              std::tuple(StatusDarkGreen, true, true, 2));

    const struct {
        const char *command, *status;
        QColor colour;
        int playCommand;
    } rows[] = {{"pause MusicMedia", "Stop.", StatusDarkRed, 3},
                {"resume MusicMedia", "Play.", StatusDarkGreen, 2}};
    for (const auto &row : rows) {
        main->MusicPlay_Click();
        EXPECT_EQ(device->commands.last() + u' ' + status(), row.command + QStringLiteral(" ") + row.status);
        EXPECT_EQ(std::tuple(statusColour(), sys().PlayCommand), std::tuple(row.colour, row.playCommand));
        EXPECT_TRUE(main->MusicTimer->isActive()) << "the time stays current while paused";
    }

    main->MusicStop_Click();
    EXPECT_EQ(device->commands.mid(device->commands.size() - 2).join(u'|'),
              QStringLiteral("stop MusicMedia|close MusicMedia"));
    EXPECT_EQ(shown(), QStringLiteral("Stop. | Rest : 1 / 2 Files | 00:00:00 | / 00:00:00 | "));
    EXPECT_EQ(std::tuple(main->TimeLine->width(), main->MusicStop->isEnabled(), main->MusicTimer->isActive(),
                         sys().PlayCommand),
              std::tuple(0, false, false, 1));
}

TEST_F(PlayControlTest, MissingFilesAtTheHeadAreDroppedAndTheNextPlayableStarts)
{
    const QString playable = makeFile(QStringLiteral("fourth.mp3"));
    const QString hidden = makeFile(QStringLiteral(".hidden.mp3"));
    loadPlayer({missing(QStringLiteral("1.mp3")), hidden, missing(QStringLiteral("3.mp3")), playable,
                makeFile(QStringLiteral("fifth.mp3"))});
    list->FilePosition->setText(hidden);

    main->MusicPlay_Click();
    EXPECT_EQ(std::tuple(sys().MusicFileName, opens()), std::tuple(playable, 1))
        << "missing files are never opened";
    EXPECT_EQ(std::tuple(list->PlayList->count(), list->OpenPlayList->model()->rowCount()), std::tuple(1, 1));
    EXPECT_EQ(list->FilePosition->text(), QString()) << "the box no longer shows a file that left the list";
    EXPECT_EQ(counter(), QStringLiteral("Rest : 1 / 5 Files"));

    // A huge run of missing files must not exhaust the stack.
    QStringList queue;
    for (int i = 0; i < 100000; ++i) {
        queue << missing(QString::number(i) + QStringLiteral(".mp3"));
    }
    list->PlayList->setStore(PathStore::fromStringList(queue << playable));
    main->MusicStop_Click();
    main->MusicPlay_Click();
    EXPECT_EQ(std::tuple(opens(), list->PlayList->count()), std::tuple(2, 0));

    // A file whose folder is gone means its drive is away: the list waits for it as it is.
    const QString away = folder.path() + QStringLiteral("/drive/Music/");
    list->PlayList->setStore(PathStore::fromStringList({away + "a.mp3", away + "b.mp3", playable}));
    main->MusicStop_Click();
    main->MusicPlay_Click();
    EXPECT_EQ(
        std::tuple(opens(), list->PlayList->count(), status(), main->FileNameLabel->text().contains(away)),
        std::tuple(2, 3, QStringLiteral("Stop."), true));
    QDir().mkpath(away);
    main->MusicPlay_Click();
    EXPECT_EQ(std::tuple(opens(), sys().MusicFileName), std::tuple(3, playable))
        << "back, and only files gone";
}

TEST_F(PlayControlTest,
       AListThatStaysEmptyAfterOneRenewalShowsStopSendsNothingAndWithoutFoldersOffersTheSetUp)
{
    for (const bool missingFiles : {false, true}) {
        SetUp();
        loadPlayer(missingFiles
                       ? QStringList{missing(QStringLiteral("a.mp3")), missing(QStringLiteral("b.mp3"))}
                       : QStringList{});
        list->FolderList =
            missingFiles ? QStringList{folder.path() + QStringLiteral("/gone/")} : QStringList{};
        sys().TotalFiles = 7;
        main->FileStatusLabel->setText(QStringLiteral("untouched"));
        const qsizetype asked = messages.shown().size();
        main->MusicPlay_Click();
        EXPECT_EQ(status() + u' ' + counter(), QStringLiteral("Stop. Rest : 0 / 0 Files"))
            << "as the renewal wrote it";
        EXPECT_EQ(std::tuple(statusColour(), sys().PlayCommand, device->commands.size()),
                  std::tuple(StatusDarkRed, 1, 0));
        // Without any play folder the click offers the set-up, which はい opens as the menu does.
        ASSERT_EQ(messages.shown().size(), asked + (missingFiles ? 0 : 1));
        if (!missingFiles) {
            const platform::MessageRequest &question = messages.shown().last();
            EXPECT_EQ(std::tuple(question.title + question.text, question.icon, question.buttons),
                      std::tuple(QStringLiteral("Lyrabox 3再生するフォルダが登録されていません。\r\n"
                                                "フォルダリスト セットアップを開きますか？"),
                                 platform::MessageIcon::Question, platform::MessageButtons::YesNo));
            messages.answerWith(platform::MessageAnswer::Yes);
            EXPECT_EQ(FormRegistry::instance().find<FolderForm>(), nullptr) << "not without はい";
            main->MusicPlay_Click();
            EXPECT_TRUE(FormRegistry::instance().find<FolderForm>() && !main->isEnabled());
        }
    }
}

TEST_F(PlayControlTest, AtTheEndAnOpenTrackIsClosedAndWithTheBackupOnComesBackFirstAndResumesWhereItStopped)
{
    using namespace RegistryModule;
    const struct {
        bool backup, play, pause, exitButton;
        qint64 position;
        const char *resumed; // the seek sent when the same file plays after the next start
    } rows[] = {
        {true, true, false, false, 61000, "seek MusicMedia to 61000"},
        {true, true, true, true, 61000, "seek MusicMedia to 61000"},
        {true, true, false, false, 4000, ""},  // hardly begun
        {true, true, false, true, 201000, ""}, // all but over
        {false, true, true, true, 61000, ""},  // nothing changes
        {true, false, false, true, 0, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.position);
        SetUp();
        SetRegString(HKEY_CURRENT_USER, SettingsKey, ListBackup, row.backup ? "active" : "");
        const QString a = makeFile(QStringLiteral("a.mp3")), b = makeFile(QStringLiteral("b.mp3"));
        loadPlayer({a, b});
        for (int clicks = int(row.play) + int(row.pause); clicks > 0; --clicks) {
            main->MusicPlay_Click();
        }
        device->position = row.position;
        const qsizetype sent = device->commands.size();
        if (row.exitButton) {
            messages.answerWith(platform::MessageAnswer::No);
            main->ExitProgram_Click();
            EXPECT_EQ(messages.shown().last().title + u'|' + messages.shown().last().text,
                      QStringLiteral("終了確認|MIRAVELT Lyrabox 3 を終了します。\r\nよろしいですか？"));
            EXPECT_NE(FormRegistry::instance().find<MainForm>(), nullptr);
            messages.answerWith(platform::MessageAnswer::Yes);
        }
        row.exitButton ? main->ExitProgram_Click() : Application::endProgramInOrder();
        ASSERT_EQ(FormRegistry::instance().loadedCount(), 0) << "the play list window goes with it";
        EXPECT_EQ(device->commands.mid(sent).join(u'|'),
                  QString(row.play ? "stop MusicMedia|close MusicMedia" : "")
                      .prepend(row.play && row.backup ? "status MusicMedia position|" : ""));
        EXPECT_EQ(ListFile::read(PlayListForm::listFilePath(".flblx3")).entries,
                  row.backup ? QStringList({a, b}) : QStringList());

        device->commands.clear();
        list = &FormRegistry::instance().load<PlayListForm>();
        list->PlayList->insert(0, a);
        main = &FormRegistry::instance().load<MainForm>();
        main->MusicPlay_Click();
        EXPECT_EQ(device->commandsStartingWith("seek").join(u'|'), row.resumed);
        main->MusicStop_Click();
        list->PlayList->insert(0, a);
        main->MusicPlay_Click();
        EXPECT_EQ(device->commandsStartingWith("seek").size(), row.resumed[0] ? 1 : 0) << "only once";
    }
}
