#include "FolderFixture.h"

#include "folders/FolderContents.h"
#include "platform/FileNameCodec.h"

#include <QComboBox>
#include <QScrollBar>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using FolderLists = FolderFixture;

TEST_F(FolderLists, RegisterStoresFolderPathsOnceAndTakesWaitingFoldersBack)
{
    // Deep enough that the lists show them shortened, wherever the temporary folder is.
    const QString rock = folderWith("Library/Rock", {"a.mp3", "b.wav"});
    const QString jazz = folderWith("Library/Jazz", {"c.mp3"});
    const QString rockLink = music.filePath("RockLink"), lineEnd = folderWith("Line\nEnd");
    QFile::link(rock, rockLink);
    list->FolderWaitList = {jazz.chopped(1)}; // edited by hand
    FolderForm &form = setup();
    const struct {
        QString folder;
        QStringList play, wait;
        QString lastShown;
        int messages;
    } rows[] = {
        {"/", {"/"}, {jazz.chopped(1)}, "/", 0},
        {rock.chopped(1), {"/", rock}, {jazz.chopped(1)}, "/.../Library/Rock", 0},
        {jazz, {"/", rock, jazz}, {}, "/.../Library/Jazz", 0},
        {rock, {"/", rock, jazz}, {}, "/.../Library/Jazz", 1},
        {rockLink, {"/", rock, jazz}, {}, "/.../Library/Jazz", 2},
        {lineEnd, {"/", rock, jazz}, {}, "/.../Library/Jazz", 3},
    };
    for (const auto &row : rows) {
        ASSERT_TRUE(form.setDirectory(row.folder));
        form.FolderRegistration->click();
        EXPECT_EQ(list->FolderList, row.play) << row.folder.toStdString();
        EXPECT_EQ(list->FolderWaitList, row.wait);
        EXPECT_EQ(shown(form.FolderListAppearance).last(), row.lastShown);
        EXPECT_EQ(shown(form.FolderWaitListAppearance).size(), row.wait.size());
        EXPECT_EQ(list->NaviFolder->text(), QString::number(row.play.size())); // renewed
        ASSERT_EQ(messages.shown().size(), row.messages);
    }
    EXPECT_EQ(form.FolderListAppearance->model()->index(1, 0).data(Qt::ToolTipRole).toString(), rock);
    EXPECT_EQ(messages.shown()[0].title + messages.shown()[0].text,
              "MIRAVELT Lyrabox 3 - 選択エラー'" + rock +
                  "' は、すでに選択されています。\r\n他のフォルダを選択してください。");
    EXPECT_EQ(messages.shown()[2].text, "'" + QString(lineEnd).replace('\n', QChar(0x240A)) +
                                            "' は、名前に改行が含まれているため登録できません。\r\n"
                                            "フォルダの名前を変更してから登録してください。");
    list->FolderList = {rock, rockLink, rock.chopped(1)};
    list->PlayListRenewal();
    EXPECT_EQ(list->PlayList->count(), 2); // one folder, dealt once
}

TEST_F(FolderLists, MoveAndRemoveRenewOnlyWhenPlayFoldersChange)
{
    const QString a = folderWith("A", {"1.mp3"}), b = folderWith("B", {"2.mp3"}),
                  w = folderWith("W", {"3.mp3"});
    enum Action { Move, Remove, DeleteKey, CKey };
    const struct {
        int list, row;
        Action action;
        QStringList play, wait;
        bool renewed;
    } rows[] = {
        {1, 0, Move, {b}, {w, a}, true},   {2, 0, Move, {a, b, w}, {}, true},
        {1, 1, Remove, {a}, {w}, true},    {2, 0, Remove, {a, b}, {}, false},
        {1, 0, DeleteKey, {b}, {w}, true}, {2, 0, CKey, {a, b, w}, {}, true},
    };
    for (const auto &row : rows) {
        FormRegistry::instance().unload<FolderForm>();
        TestEnvironment::flushEvents();
        list->FolderList = {a, b};
        list->FolderWaitList = {w};
        list->PlayListRenewal();
        list->PlayList->removeAt(0); // held back: only a renewal brings it back
        FolderForm &form = setup();
        QListView *view = row.list == 1 ? form.FolderListAppearance : form.FolderWaitListAppearance;
        click(view, row.row);
        EXPECT_EQ(form.FolderChangeImplementation->text(), row.list == 1 ? "↓" : "↑");
        if (row.action == Move) {
            form.FolderChangeImplementation->click();
        } else if (row.action == Remove) {
            form.FolderOut->click();
        } else {
            QTest::keyClick(view, row.action == DeleteKey ? Qt::Key_Delete : Qt::Key_C);
        }
        // Until a new click, neither key does anything.
        QTest::keyClick(view, Qt::Key_Delete);
        QTest::keyClick(view, Qt::Key_C);
        EXPECT_EQ(list->FolderList, row.play) << row.list << row.action;
        EXPECT_EQ(list->FolderWaitList, row.wait);
        EXPECT_EQ(shown(form.FolderWaitListAppearance).size(), row.wait.size());
        EXPECT_EQ(list->PlayList->count(), row.renewed ? row.play.size() : 1);
        EXPECT_EQ(form.FolderChangeImplementation->text(), "-");
        EXPECT_FALSE(form.FolderOut->isEnabled() || form.FolderInfo->isEnabled());
    }
}

TEST_F(FolderLists, PathBoxRefusesTypingAndWideningIsUndoneExactly)
{
    FolderForm &form = setup();
    const QString path = form.FolderPosition->text();
    QTest::keyClicks(form.FolderPosition, "typed");
    form.FolderPosition->setText("changed");
    EXPECT_EQ(form.FolderPosition->text(), path);

    const auto geometries = [&form] {
        QList<QRect> all{form.geometry()};
        for (const QWidget *child : form.findChildren<QWidget *>()) {
            all << child->geometry();
        }
        return all;
    };
    const QList<QRect> before = geometries();
    form.FolderListView->click();
    EXPECT_EQ(form.FolderListView->text(), "<<");
    EXPECT_EQ(form.FolderListAppearance->width(), 200 + 104); // 3000 + 1560 twips
    form.FolderListView->click();
    EXPECT_EQ(geometries(), before);
    EXPECT_EQ(form.FolderListView->text(), ">>");
}

TEST_F(FolderLists, BrowserShowsFixedPatternFilesAndRegistersNamesByTheirBytes)
{
    const QString base = folderWith("base");
    const QString mixed =
        folderWith("base/Mixed", {"song.MID", "list.m3u", "notes.txt", ".hidden.mp3", "tune.Opus"})
            .chopped(1);
    const QString text = folderWith("base/Text", {"readme.txt"}).chopped(1);
    const QByteArray oddBytes = QFile::encodeName(base) + "caf\xe9";
    ASSERT_EQ(::mkdir(oddBytes.constData(), 0755), 0);
    ::close(::creat(oddBytes + "/x.mp3", 0644));
    list->MusicFilePattern = "*.wav"; // the browser does not follow the play-file groups
    FolderForm &form = setup();
    ASSERT_TRUE(form.setDirectory(base));
    QListWidget *dirs = form.DirMenu;
    const int rows = dirs->count();

    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, rowAt(dirs, mixed));
    EXPECT_EQ(shown(form.FileMenu), (QStringList{"list.m3u", "song.MID", "tune.Opus"}));
    EXPECT_EQ(form.FolderPosition->text(), mixed);
    EXPECT_EQ(dirs->count(), rows); // one click does not make it current

    QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, rowAt(dirs, text));
    EXPECT_EQ(dirs->item(dirs->count() - 1)->data(Qt::UserRole).toString(), text);
    EXPECT_TRUE(shown(form.FileMenu).isEmpty());
    EXPECT_EQ(form.FolderPosition->text(), text);

    ASSERT_TRUE(form.setDirectory(platform::decodeFileName(oddBytes)));
    form.DirMenu_Change();
    EXPECT_TRUE(form.FolderPosition->text().endsWith(u"caf\ufffd"))
        << form.FolderPosition->text().toStdString();
    form.FolderRegistration->click();
    EXPECT_EQ(platform::encodeFileName(list->FolderList.last()), oddBytes + '/');
    QStringList inside;
    EXPECT_TRUE(FolderContents::playableFiles(list->FolderList.last(), inside));
    EXPECT_EQ(inside, QStringList{"x.mp3"});
    ::unlink(oddBytes + "/x.mp3"); // beyond what QTemporaryDir can remove
    ::rmdir(oddBytes.constData());
}

TEST_F(FolderLists, BrowserStartsAtTheMusicThenTheLastFolderReadsOncePerVisitAndTakesKeys)
{
    const QString music = folderWith("MyMusic");
    const QString flat = folderWith("MyMusic/Flat", numberedNames("t%1.mp3", 300)).chopped(1);
    folderWith("MyMusic/Jazz");
    ASSERT_TRUE(writeFile(TestEnvironment::configHome() + "/user-dirs.dirs",
                          "XDG_MUSIC_DIR=\"" + QFile::encodeName(music) + "\"\n"));
    FolderForm &form = setup();
    EXPECT_EQ(form.FolderPosition->text(), music.chopped(1));
    EXPECT_GT(form.DirMenu->viewport()->height() / form.DirMenu->sizeHintForRow(0), 8);
    QTest::keyClicks(form.DirMenu, "fl");
    EXPECT_EQ(form.FolderPosition->text(), flat);
    QTest::keyClick(form.DirMenu, Qt::Key_Return);
    EXPECT_EQ(form.DirMenu->current(), flat);

    QListWidget *files = form.FileMenu;
    files->scrollToBottom();
    const int scrolled = files->verticalScrollBar()->value();
    QFile(flat + "/new.mp3").open(QIODevice::WriteOnly);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(299)).center());
    TestEnvironment::flushEvents(); // the view lays itself out again later
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(files->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(files->count(), 300); // read when the folder was opened, not at each click

    form.FolderRegistration->click();
    FormRegistry::instance().unload<FolderForm>();
    TestEnvironment::flushEvents();
    EXPECT_EQ(setup().FolderPosition->text(), flat);
}

TEST_F(FolderLists, VolumeThatDoesNotAnswerKeepsTheOldFolder)
{
    const QString music = folderWith("Music");
    const QString gone = folderWith("gone");
    QDir(gone).removeRecursively();
    platform::setVolumeSource([gone] { return QList<platform::Volume>{{"/", "root"}, {gone, "USB"}}; });
    FolderForm &form = setup();
    ASSERT_TRUE(form.setDirectory(music));
    form.DirMenu_Change();
    form.DriveMenu->setCurrentIndex(1);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text, "指定されたドライブのからの応答がありません。\r\n確認してください。");
    EXPECT_EQ(messages.shown()[0].title, "MIRAVELT Lyrabox 3 - ファイルエラー");
    EXPECT_EQ(form.FolderPosition->text(), music.chopped(1));
    EXPECT_EQ(form.DriveMenu->currentIndex(), 0);
    form.FolderRegistration->click();
    EXPECT_EQ(list->FolderList, QStringList{music});
}

TEST_F(FolderLists, PropertiesFallBackToTheirOwnSheet)
{
    const QString music = folderWith("Music", {"a.mp3", "b.wav", "c.txt"});
    QFile(music + "a.mp3").resize(1000);
    list->FolderList = {music};
    FolderForm &form = setup();
    click(form.FolderListAppearance, 0);
    form.FolderInfo->click();
    QWidget *sheet = nullptr;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return (sheet = form.findChild<QWidget *>("FolderProperties")); }, 5000));
    EXPECT_EQ(sheet->findChild<QLabel *>("FolderPath")->text(), music);
    EXPECT_EQ(sheet->findChild<QLabel *>("PlayFileCount")->text(), "2");
    EXPECT_TRUE(sheet->findChild<QLabel *>("PlayFileSize")->text().contains("1,000"));
}

TEST(FileNameCodec, AnyBytesSurviveAndShowAsReplacementMarks)
{
    const std::pair<QByteArray, bool> names[] = {
        {"plain", true},         {"曲/アルバム", true}, {"caf\xe9", false}, {"\xff\xfe", false},
        {"\xed\xa0\x80", false}, {"\xc0\xaf", false},   {"a\x80", false},   {"\xf0\x9f\x8e\xb5", true}};
    for (const auto &[bytes, valid] : names) {
        const QString name = platform::decodeFileName(bytes);
        EXPECT_EQ(platform::encodeFileName(name), bytes) << bytes.toHex().constData();
        EXPECT_EQ(platform::visibleFileName(name).contains(QChar::ReplacementCharacter), !valid);
    }
}

} // namespace
