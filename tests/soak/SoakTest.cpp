#include "core/FormRegistry.h"
#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "playback/PlayState.h"
#include "playlist/PlayListForm.h"
#include "support/AudioFixtures.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace RegistryModule;
using Soak = CleanStateTest;

// Resident memory in KiB and open descriptors.
static std::pair<qint64, qsizetype> footprint()
{
    QFile statm("/proc/self/statm");
    const qint64 pages =
        statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(1).toLongLong() : -1;
    return {pages * 4, QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()};
}

TEST_F(Soak, FiveHundredShortTracksPlayThroughWithoutGrowing)
{
    QTemporaryDir folder;
    const QString first = AudioFixtures::makeTone(folder.path(), "t000.wav", 300);
    ASSERT_FALSE(first.isEmpty());
    for (int i = 1; i < 500; ++i) {
        ASSERT_TRUE(
            QFile::copy(first, folder.filePath(QStringLiteral("t%1.wav").arg(i, 3, 10, QChar(u'0')))));
    }
    SetRegString(HKEY_CURRENT_USER, SettingsKey, PlayEndMode, "stop");
    PlayListForm &list = FormRegistry::instance().load<PlayListForm>();
    list.FolderList = QStringList{folder.path() + u'/'};
    list.PlayListRenewal();
    MainForm &main = FormRegistry::instance().load<MainForm>();
    main.MusicPlay_Click();

    std::pair<qint64, qsizetype> at50{};
    for (int waited = 0; PlayState::instance().trackOpen() && waited < 900000; waited += 20) {
        QTest::qWait(20);
        if (at50.first == 0 && list.PlayList->count() == 450) {
            at50 = footprint();
        }
    }
    EXPECT_EQ(main.FileStatusLabel->text(), "Rest : 0 / 500 Files") << "the list played to its end";
    EXPECT_FALSE(PlayState::instance().trackOpen());
    EXPECT_LE(footprint().second, at50.second + 2);
    EXPECT_LE(footprint().first, at50.first + 16 * 1024LL) << "KiB after 50 tracks: " << at50.first;
}
