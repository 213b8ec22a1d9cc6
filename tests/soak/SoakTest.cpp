#include "app/FormRegistry.h"
#include "app/RegistryModule.h"
#include "app/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "support/AudioFixtures.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

qint64 residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    return statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(1).toLongLong() * 4 : -1;
}

qsizetype openFds()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
}

} // namespace

class Soak : public CleanStateTest {};

TEST_F(Soak, FiveHundredShortTracksPlayThroughWithoutGrowing)
{
    constexpr int tracks = 500;
    QTemporaryDir folder;
    const QString first = AudioFixtures::makeTone(folder.path(), QStringLiteral("t000.wav"), 300);
    ASSERT_FALSE(first.isEmpty());
    for (int i = 1; i < tracks; ++i) {
        ASSERT_TRUE(
            QFile::copy(first, folder.filePath(QStringLiteral("t%1.wav").arg(i, 3, 10, QChar(u'0')))));
    }
    RegistryModule::SetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey,
                                 RegistryModule::PlayEndMode, QStringLiteral("stop"));
    FormRegistry &forms = FormRegistry::instance();
    PlayListForm &list = forms.load<PlayListForm>();
    list.FolderList = QStringList{folder.path() + u'/'};
    list.PlayListRenewal();
    MainForm &main = forms.load<MainForm>();
    main.MusicPlay_Click();

    qint64 rssAt50 = 0;
    qsizetype fdsAt50 = 0;
    for (int waited = 0; sys().PlayCommand != 1 && waited < 900000; waited += 20) {
        QTest::qWait(20);
        if (rssAt50 == 0 && list.PlayList->count() == tracks - 50) {
            rssAt50 = residentKiB();
            fdsAt50 = openFds();
        }
    }
    EXPECT_EQ(sys().PlayCommand, 1) << "the list played to its end";
    EXPECT_EQ(main.FileStatusLabel->text(), QStringLiteral("Rest : 0 / 500 Files"));
    EXPECT_LE(openFds(), fdsAt50 + 2);
    EXPECT_LE(residentKiB(), rssAt50 + 16 * 1024) << "KiB after 50 tracks: " << rssAt50;
}
