#include "folders/FolderForm.h"
#include "folders/FolderSearchForm.h"
#include "help/QuickHelpForm.h"
#include "help/VersionForm.h"
#include "platform/Shell.h"
#include "playlist/PlayListFixture.h"
#include "playlist/WebsiteAddress.h"

#include <QPlainTextEdit>
#include <QTest>

namespace {

class HelpWindowsTest : public PlayListFixture {
protected:
    void SetUp() override
    {
        PlayListFixture::SetUp();
        list = &load();
    }
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
    // Where the panel stands against the window: "docked" or its offset.
    static QString placeBeside(const QWidget &owner)
    {
        const QPoint edge = owner.frameGeometry().topRight() + QPoint(1, 0);
        const QPoint off = panel()->frameGeometry().topLeft() - edge;
        return off.isNull() ? QStringLiteral("docked") : QStringLiteral("%1,%2").arg(off.x()).arg(off.y());
    }
    static void tick() { QTest::qWait(300); }
    PlayListForm *list = nullptr;
};

} // namespace

TEST_F(HelpWindowsTest, ThePanelFollowsTheWindowInUseAndClosesWithTheFolderWindows)
{
    FolderForm &setup = shown<FolderForm>({40, 40});
    setup.PSHelp->click();
    ASSERT_NE(panel(), nullptr);
    EXPECT_EQ(placeBeside(setup), QStringLiteral("docked"));
    EXPECT_EQ(firstLine(), QStringLiteral("フォルダリスト セットアップ"));
    EXPECT_FALSE(panel()->HelpInfoMsg->toPlainText().endsWith(u'\n'));

    panel()->move(500, 500);
    setup.move(60, 30);
    panel()->resize(220, 300);
    tick();
    EXPECT_EQ(placeBeside(setup), QStringLiteral("docked"));
    EXPECT_EQ(panel()->HelpInfoMsg->geometry(), panel()->rect());

    activate(*panel());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&setup));

    sys().HelpContext = QStringLiteral("Option");
    panel()->move(510, 10);
    tick();
    EXPECT_EQ(panel()->pos(), QPoint(510, 10));
    EXPECT_EQ(firstLine(), QStringLiteral("フォルダリスト セットアップ"));

    FolderSearchForm &search = shown<FolderSearchForm>({80, 200});
    tick();
    EXPECT_EQ(placeBeside(search), QStringLiteral("docked"));
    EXPECT_EQ(firstLine(), QStringLiteral("フォルダ検索"));
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
    tick();
    EXPECT_EQ(placeBeside(*list), QStringLiteral("docked"));
    EXPECT_EQ(firstLine(), QStringLiteral("プレイリスト"));
    list->ExitPlayList_Click();
    EXPECT_EQ(panel(), nullptr);
}

TEST_F(HelpWindowsTest, TheAboutWindowShowsTheVersionOpensTheSiteAndGivesTheMainWindowBack)
{
    MainForm &main = FormRegistry::instance().load<MainForm>();
    QStringList opened;
    platform::setShellOpenHandler([&opened](const QString &target) {
        opened << target;
        return true;
    });
    list->VersionInfo_Click();
    auto *about = FormRegistry::instance().find<VersionForm>();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(main.isEnabled());
    EXPECT_EQ(about->VersionLabel->text(), QStringLiteral("3.1.41"));
    about->SiteAccess->click();
    EXPECT_EQ(opened, QStringList{websiteAddress(QStringLiteral("/"))});
    about->UnloadVersion->click();
    TestEnvironment::flushEvents();
    EXPECT_EQ(FormRegistry::instance().find<VersionForm>(), nullptr);
    EXPECT_TRUE(main.isEnabled());
}
