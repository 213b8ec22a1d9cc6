#include "folders/FolderForm.h"
#include "folders/FolderSearchForm.h"
#include "help/DockPlace.h"
#include "help/QuickHelpForm.h"
#include "help/VersionForm.h"
#include "platform/Shell.h"
#include "playlist/WebsiteAddress.h"
#include "support/PlayerFixture.h"

#include <QPlainTextEdit>

namespace {

class HelpWindowsTest : public PlayerWindowsFixture {
protected:
    template <class T> T &shown(QPoint at)
    {
        T &form = FormRegistry::instance().load<T>();
        form.move(at);
        form.show();
        activate(form);
        return form;
    }
    static void activate(QWidget &form)
    {
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    static QuickHelpForm *panel() { return FormRegistry::instance().find<QuickHelpForm>(); }
    static QString firstLine() { return panel()->HelpInfoMsg->toPlainText().section(u'\n', 0, 0); }
    // Waits for the panel to stand at the window's right edge showing its help.
    static bool dockedTo(const QWidget &owner, const char *firstHelpLine)
    {
        return QTest::qWaitFor(
            [&] {
                return panel()->frameGeometry().topLeft() ==
                           owner.frameGeometry().topRight() + QPoint(1, 0) &&
                       firstLine() == firstHelpLine;
            },
            5000);
    }
};

} // namespace

TEST_F(HelpWindowsTest, ThePanelFollowsTheWindowInUseAndClosesWithTheFolderWindows)
{
    FolderForm &setup = shown<FolderForm>({40, 40});
    setup.PSHelp->click();
    ASSERT_NE(panel(), nullptr);
    EXPECT_TRUE(dockedTo(setup, "フォルダリスト セットアップ"));
    EXPECT_FALSE(panel()->HelpInfoMsg->toPlainText().endsWith(u'\n'));

    panel()->move(500, 500);
    setup.move(20, 30);
    panel()->resize(150, 300);
    EXPECT_TRUE(dockedTo(setup, "フォルダリスト セットアップ"));
    EXPECT_EQ(panel()->HelpInfoMsg->geometry(), panel()->rect());

    activate(*panel());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&setup));

    // A context without a window of its own leaves the panel where it is.
    sys().HelpContext = "Option";
    panel()->move(510, 10);
    panel()->HelpTimer_Timer();
    EXPECT_EQ(panel()->pos(), QPoint(510, 10));
    EXPECT_EQ(firstLine(), QStringLiteral("フォルダリスト セットアップ"));

    FolderSearchForm &search = shown<FolderSearchForm>({20, 200});
    EXPECT_TRUE(dockedTo(search, "フォルダ検索"));
    FormRegistry::instance().unload<FolderSearchForm>();
    EXPECT_EQ(panel(), nullptr);
    EXPECT_TRUE(sys().HelpContext.isEmpty());
}

TEST_F(HelpWindowsTest, APanelReopenedAfterItsOwnCloseStaysEmptyUntilTheOwnerIsActivated)
{
    shown<PlayListForm>({30, 30});
    list->PLHelp->click();
    EXPECT_EQ(firstLine(), QStringLiteral("プレイリスト"));
    FormRegistry::instance().unload<QuickHelpForm>();
    TestEnvironment::flushEvents();

    list->PLHelp->click();
    EXPECT_TRUE(panel()->HelpInfoMsg->toPlainText().isEmpty());
    activate(*list);
    EXPECT_TRUE(dockedTo(*list, "プレイリスト"));
    list->close(); // from the title bar, as its exit button
    EXPECT_EQ(panel(), nullptr);
}

TEST_F(HelpWindowsTest, TheAboutWindowShowsTheVersionAndOpensTheSite)
{
    QStringList opened;
    platform::setShellOpenHandler([&opened](const QString &target) {
        opened << target;
        return true;
    });
    list->VersionInfo_Click();
    auto *about = FormRegistry::instance().find<VersionForm>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->VersionLabel->text(), QStringLiteral("3.1.41"));
    about->SiteAccess->click();
    EXPECT_EQ(opened, QStringList{websiteAddress(QStringLiteral("/"))});
    about->UnloadVersion->click();
    TestEnvironment::flushEvents();
    EXPECT_EQ(FormRegistry::instance().find<VersionForm>(), nullptr);
}

TEST(DockPlaceTest, ThePanelStandsOnTheSideWithRoomAndInsideTheScreen)
{
    const QRect screen(0, 0, 1280, 776); // a panel of the desktop holds the bottom 24 pixels
    const QSize panel(140, 200);
    const std::pair<QRect, QPoint> rows[] = {
        {{100, 50, 400, 300}, {500, 50}},  // room on the right
        {{900, 50, 367, 300}, {760, 50}},  // near the right edge: on the left
        {{0, 700, 1280, 60}, {1140, 576}}, // no room on either side, low: inside the screen
        {{-300, -40, 350, 100}, {50, 0}},  // partly off the screen's top left
    };
    for (const auto &[owner, place] : rows) {
        EXPECT_EQ(dockPlace(owner, panel, screen), place) << owner.x() << "," << owner.y();
    }
}
