#include "mainwindow/SkinWidgets.h"
#include "platform/Shell.h"
#include "playlist/PlayListFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>

namespace {

class PlayListMenusTest : public PlayerWindowsFixture {
protected:
    void choose(const char *item) const { action(item)->trigger(); }
    QAction *action(const QString &name) const { return list->findChild<QAction *>(name); }
    // Each mode as both marks and its lamp: "-" off, "x" on, "?" twins or lamp disagree.
    QString modes() const
    {
        QString shown;
        for (auto [name, lamp] : {std::pair{"AllMusicRepeat", main->AllRepeatImg},
                                  {"OneMusicRepeat", main->OneRepeatImg},
                                  {"ThisMusicExit", main->ThisMusicExitImg}}) {
            const bool on = action(name)->isChecked();
            const bool agree =
                action(name + QStringLiteral("2"))->isChecked() == on && lamp->isHidden() != on;
            shown += agree ? (on ? u'x' : u'-') : u'?';
        }
        return shown;
    }
    // The menu's items in order, a submenu's after a "/", each as "name:caption".
    static QStringList items(const QMenu *menu, const QString &prefix = {})
    {
        QStringList out;
        for (const QAction *item : menu->actions()) {
            out << prefix + item->objectName() + u':' +
                       (item->isSeparator() ? QStringLiteral("-") : item->text());
            if (item->menu() != nullptr) {
                out << items(item->menu(), prefix + u'/');
            }
        }
        return out;
    }
};

} // namespace

TEST_F(PlayListMenusTest, BothMenusListEveryItemInOrder)
{
    const QStringList grouped =
        QStringLiteral("FolderSetupMenu:フォルダリスト セットアップ|ListMenu:リスト|"
                       "/PlayListMenu:プレイリスト|/Sen1:-|/AllListRenewalMenu:全ての更新|"
                       "/PartListRenewalMenu:リスト内で更新|Sen2:-|DisplayMenu:表示|"
                       "/WindowTopup:常に手前に表示|/DisplayTimeSet:残り時間表示|Sen3:-|"
                       "OptionMenu:オプション|/PlayOption:プレイオプション|/Sen4:-|"
                       "/AllMusicRepeat:常時リピート|/OneMusicRepeat:随時リピート|/Sen5:-|"
                       "/ThisMusicExit:この曲で閉じる|Sen6:-|VersionMenu:バージョン|"
                       "/VersionInfo:バージョン情報|/NewVersionMenu:最新のバージョン確認|Sen7:-|"
                       "MVWebsite:MIRAVELT ウェブサイト|"
                       "/OfficialHomepageURL:オフィシャルホームページ|/Sen8:-|"
                       "/ToolShelfURL:ツールシェルフ|/LX3PageURL:Lyrabox 3 ページ|/Sen9:-|"
                       "/ProductInfoURL:ソフトウェア|/SupportdeskURL:サポート|/MVUserURL:ユーザー")
            .split(u'|');
    const QStringList flatNames =
        QStringLiteral("FolderSetupMenu2 PlayListMenu2 Sen10 AllListRenewalMenu2 PartListRenewalMenu2 Sen11 "
                       "WindowTopup2 DisplayTimeSet2 Sen12 PlayOption2 Sen13 AllMusicRepeat2 OneMusicRepeat2 "
                       "Sen14 ThisMusicExit2 Sen15 VersionInfo2 NewVersionMenu2 Sen16 MVWebsite2 "
                       "/OfficialHomepageURL2 /Sen17 /ToolShelfURL2 /LX3PageURL2 /Sen18 /ProductInfoURL2 "
                       "/SupportdeskURL2 /MVUserURL2")
            .split(u' ');
    EXPECT_EQ(items(list->ComMenu), grouped);
    QStringList flat;
    for (const QString &item : items(list->ComMenu2)) {
        const QString name = item.section(u':', 0, 0);
        const QAction *twin = action(name.mid(name.startsWith(u'/') ? 1 : 0).chopped(1));
        ASSERT_NE(twin, nullptr) << name.toStdString();
        EXPECT_EQ(item.section(u':', 1), twin->isSeparator() ? QStringLiteral("-") : twin->text())
            << name.toStdString();
        flat << name;
    }
    EXPECT_EQ(flat, flatNames);
}

TEST_F(PlayListMenusTest, AtMostOnePlayModeIsOnAndACancelledModeIsNamed)
{
    const struct {
        const char *before, *choice, *after, *cancelled;
    } rows[] = {
        {"ThisMusicExit", "AllMusicRepeat", "x--", "この曲で閉じる"},
        {"OneMusicRepeat", "AllMusicRepeat2", "x--", ""},
        {"AllMusicRepeat", "ThisMusicExit2", "--x", "常時リピート"},
        {"OneMusicRepeat2", "ThisMusicExit", "--x", "随時リピート"},
        {"ThisMusicExit2", "OneMusicRepeat", "-x-", "この曲で閉じる"},
        {"AllMusicRepeat", "OneMusicRepeat2", "-x-", ""},
        {"AllMusicRepeat", "AllMusicRepeat", "---", ""},
        {"ThisMusicExit", "ThisMusicExit2", "---", ""},
        {"ThisMusicExit", "PlayOption", "---", "この曲で閉じる"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.before) + " then " + row.choice);
        SetUp();
        choose(row.before);
        const qsizetype before = messages.shown().size();
        choose(row.choice);
        EXPECT_EQ(modes(), QString::fromLatin1(row.after));
        QString shown;
        for (const auto &box : messages.shown().mid(before)) {
            shown +=
                box.title + u'|' + box.text + (box.icon == platform::MessageIcon::Information ? u'i' : u'?');
        }
        const QString cancelled =
            QStringLiteral("操作キャンセル|この操作で、'%1' は、\r\nキャンセルされました。i");
        EXPECT_EQ(shown, *row.cancelled ? cancelled.arg(QString::fromUtf8(row.cancelled)) : QString());
    }
    EXPECT_FALSE(main->isEnabled()) << "the options window is open";
}

TEST_F(PlayListMenusTest, TwinsShareMarksAndCaptions)
{
    for (const char *name : {"AllMusicRepeat", "OneMusicRepeat", "ThisMusicExit", "WindowTopup"}) {
        action(name + QStringLiteral("2"))->setChecked(true);
        EXPECT_TRUE(action(name)->isChecked()) << name;
        action(name)->setChecked(false);
        EXPECT_FALSE(action(name + QStringLiteral("2"))->isChecked()) << name;
    }
    for (const bool onTop : {true, false}) {
        choose(onTop ? "WindowTopup2" : "WindowTopup");
        EXPECT_EQ(std::tuple(list->WindowTopup->isChecked(),
                             main->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                             main->WindowTopupImg->isVisible(), main->isVisible()),
                  std::tuple(onTop, onTop, onTop, true));
    }
    const char *captions[] = {"残り時間表示", "経過時間表示", "残り時間表示"};
    for (int click = 0; click < 3; ++click) {
        EXPECT_EQ(list->DisplayTimeSet->text() + list->DisplayTimeSet2->text(),
                  QString::fromUtf8(captions[click]).repeated(2));
        EXPECT_EQ(sys().ElapsedDisplay, click != 1);
        choose(click == 0 ? "DisplayTimeSet2" : "DisplayTimeSet");
    }
}

TEST_F(PlayListMenusTest, ItemsOpenTheirWindowsRenewShowTheListAndOpenTheMakersPages)
{
    const std::function<void(Form &)> closings[] = {[](Form &w) { w.close(); },
                                                    [](Form &w) { FormRegistry::instance().unload(&w); },
                                                    [](Form &w) { w.hide(); }};
    const std::pair<const char *, const char *> items[] = {{"FolderSetupMenu", "FolderForm"},
                                                           {"PlayOption2", "OptionForm"},
                                                           {"VersionInfo", "VersionForm"},
                                                           {"NewVersionMenu2", "VersionStatusForm"}};
    for (const auto &[item, windowName] : items) {
        for (const auto &close : closings) {
            SCOPED_TRACE(item);
            choose(item);
            EXPECT_FALSE(main->isEnabled());
            Form *window = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets()) {
                window = w->objectName() == QLatin1String(windowName) && w->isVisible()
                             ? qobject_cast<Form *>(w)
                             : window;
            }
            ASSERT_NE(window, nullptr);
            close(*window);
            EXPECT_TRUE(main->isEnabled());
            TestEnvironment::flushEvents();
        }
    }

    QSignalSpy all(list->AllListRenewal, &QPushButton::clicked);
    QSignalSpy part(list->PartListRenewal, &QPushButton::clicked);
    choose("AllListRenewalMenu2");
    choose("PartListRenewalMenu");
    EXPECT_EQ(all.size() * 10 + part.size(), 11);
    choose("PlayListMenu2");
    EXPECT_TRUE(list->isVisible());
    sys().HelpContext = sys().ShownHelpContext = QStringLiteral("PlayList");
    list->ExitPlayList->click();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(sys().HelpContext + sys().ShownHelpContext, QString());

    QStringList opened;
    const qsizetype said = messages.shown().size();
    platform::setShellOpenHandler([&opened](const QString &address) {
        opened << address;
        return false;
    });
    for (const char *item : {"OfficialHomepageURL", "ToolShelfURL2", "LX3PageURL", "ProductInfoURL2",
                             "SupportdeskURL", "MVUserURL2"}) {
        choose(item);
    }
    EXPECT_EQ(opened.join(u' ').replace(QStringLiteral(LYRA_WEBSITE_URL), QStringLiteral("~")),
              QStringLiteral(
                  "~/ ~/software/ ~/software/lx3/ ~/software/product/ ~/software/support/ ~/software/user/"));
    EXPECT_EQ(messages.shown().size(), said) << "a page that does not open is not reported";
}
