#include "app/FormRegistry.h"
#include "app/RegistryModule.h"
#include "app/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "support/AudioFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

void setSetting(const QString &name, const QString &value)
{
    RegistryModule::SetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey, name, value);
}

} // namespace

using RealPlaybackTest = CleanStateTest;

TEST_F(RealPlaybackTest, EveryFileOfTheFolderPlaysOnceAndThePlayerStopsAtTheEndOfTheList)
{
    const struct {
        QStringList tones; // the first one plays longest
        bool onlyTheSeventhGroup;
        QString unplayable; // dealt, opened, failed and passed over
        QString notDealt;
    } rows[] = {
        {{"b side.mp3", "a.wav", "\"quoted\" 曲.au"}, false, "mix.m3u", {}},
        {{"long.flac", "v.ogg", "v.oga", "o.opus", "m.m4a", "a.aac"}, true, {}, "other.wav"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.tones.join(u' ').toStdString());
        CleanStateTest::SetUp();
        MessageRecorder messages;
        QTemporaryDir folder;
        const QString dir = folder.path();
        QStringList dealt;
        for (const QString &name : row.tones) {
            dealt << AudioFixtures::makeTone(dir, name, dealt.isEmpty() ? 1400 : 600);
        }
        ASSERT_FALSE(dealt.contains(QString()));
        if (!row.unplayable.isEmpty()) {
            dealt << AudioFixtures::writeFile(dir, row.unplayable, "#EXTM3U\na.wav\n");
        }
        if (!row.notDealt.isEmpty()) {
            ASSERT_FALSE(AudioFixtures::makeTone(dir, row.notDealt, 600).isEmpty());
        }
        for (int group = 1; row.onlyTheSeventhGroup && group <= 6; ++group) {
            setSetting(RegistryModule::MFPattern(group), QStringLiteral("none"));
        }
        setSetting(RegistryModule::PlayEndMode, QStringLiteral("stop"));
        PlayListForm &list = FormRegistry::instance().load<PlayListForm>();
        list.FolderList = QStringList{dir + u'/'};
        list.PlayListRenewal();
        MainForm &main = FormRegistry::instance().load<MainForm>();
        ASSERT_EQ(sys().TotalFiles, dealt.size());

        QSet<QString> started;
        QSet<QString> timesShown;
        QTest::mouseClick(main.MusicPlay, Qt::LeftButton);
        // Notes every track started and every time shown until the player stops by itself.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                started << sys().MusicFileName;
                timesShown << main.NowTimeLabel->text();
                return sys().PlayCommand == 1;
            },
            30000));
        EXPECT_EQ(started - QSet<QString>{QString()}, QSet<QString>(dealt.begin(), dealt.end()));
        EXPECT_TRUE(messages.shown().isEmpty()) << "a failing open is not reported";
        EXPECT_TRUE(timesShown.contains(QStringLiteral("00:00:01")))
            << "the time moved during the long track";
        const QString total = QString::number(dealt.size());
        EXPECT_EQ(
            QStringList({main.StatusLabel->text(), main.FileStatusLabel->text(), main.NowTimeLabel->text()}),
            QStringList({"Stop.", "Rest : 0 / " + total + " Files", "00:00:00"}));
        EXPECT_FALSE(main.MusicTimer->isActive());
        FormRegistry::instance().unloadAll();
    }
}
