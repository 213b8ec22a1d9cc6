#include "support/AudioFixtures.h"
#include "support/PlayerFixture.h"

using Soak = PlayerFixture;

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
    platform::setMediaDevice(nullptr); // real playback, and no message box
    TestEnvironment::refuseMessageBoxes();
    const QString first = AudioFixtures::makeTone(music.path(), "t000.wav", 300);
    ASSERT_FALSE(first.isEmpty());
    for (int i = 1; i < 500; ++i) {
        ASSERT_TRUE(QFile::copy(first, music.filePath(QStringLiteral("t%1.wav").arg(i, 3, 10, QChar(u'0')))));
    }
    setSetting(RegistryModule::PlayEndMode, "stop");
    loadPlayerOver(music.path());
    main->MusicPlay_Click();

    std::pair<qint64, qsizetype> at50{};
    for (int waited = 0; PlayState::instance().trackOpen() && waited < 900000; waited += 20) {
        QTest::qWait(20);
        if (at50.first == 0 && list->PlayList->count() == 450) {
            at50 = footprint();
        }
    }
    EXPECT_EQ(counter(), "Rest : 0 / 500 Files") << "the list played to its end";
    EXPECT_FALSE(PlayState::instance().trackOpen());
    EXPECT_LE(footprint().second, at50.second + 2);
    EXPECT_LE(footprint().first, at50.first + 16 * 1024LL) << "KiB after 50 tracks: " << at50.first;
}
