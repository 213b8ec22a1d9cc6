#include "mainwindow/SkinWidgets.h"
#include "platform/Shell.h"
#include "support/PlayerFixture.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>

namespace {

class PlayListMenusTest : public PlayerWindowsFixture {
protected:
    void choose(const char *item) const { action(item)->trigger(); }
    // The flat menu's name of an item ("…2") names the grouped menu's action.
    QAction *action(const QString &name) const
    {
        QAction *item = list->findChild<QAction *>(name);
        return item != nullptr ? item : list->findChild<QAction *>(name.chopped(1));
    }
    // Each mode as its mark and its lamp: "-" off, "x" on, "?" mark and lamp disagree.
    QString modes() const
    {
        QString shown;
        for (auto [name, lamp] : {std::pair{"AllMusicRepeat", main->AllRepeatImg},
                                  {"OneMusicRepeat", main->OneRepeatImg},
                                  {"ThisMusicExit", main->ThisMusicExitImg}}) {
            const bool on = action(name)->isChecked();
            const bool agree = lamp->isHidden() != on;
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
    // The flat menu shows the grouped menu's own items: one action each, one mark.
    const QStringList flat =
        QStringLiteral("FolderSetupMenu PlayListMenu Sen10 AllListRenewalMenu PartListRenewalMenu Sen11 "
                       "WindowTopup DisplayTimeSet Sen12 PlayOption Sen13 AllMusicRepeat OneMusicRepeat "
                       "Sen14 ThisMusicExit Sen15 VersionInfo NewVersionMenu Sen16 MVWebsite2 "
                       "/OfficialHomepageURL /Sen17 /ToolShelfURL /LX3PageURL /Sen18 /ProductInfoURL "
                       "/SupportdeskURL /MVUserURL")
            .split(u' ');
    EXPECT_EQ(items(list->ComMenu), grouped);
    QStringList shown;
    for (const QString &item : items(list->ComMenu2)) {
        shown << item.section(u':', 0, 0);
        const QString name = QString(shown.last()).remove(u'/');
        EXPECT_EQ(list->findChildren<QAction *>(name).size(), 1) << name.toStdString();
    }
    EXPECT_EQ(shown, flat);
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

TEST_F(PlayListMenusTest, AlwaysOnTopAndTheTimeDisplayShowInBothMenusAndTheWindowAndTheButtonEndsIt)
{
    // On from either menu; off from the menu or the button that sends the window back.
    for (const char *item : {"WindowTopup2", "WindowTopup", "WindowTopup2", "FrontForm"}) {
        qstrcmp(item, "FrontForm") == 0 ? main->FrontForm_Click() : choose(item);
        const bool onTop = QByteArray(item).endsWith('2');
        EXPECT_EQ(std::tuple(list->WindowTopup->isChecked(),
                             main->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                             main->WindowTopupImg->isVisible(), main->isVisible()),
                  std::tuple(onTop, onTop, onTop, true));
    }
    const char *captions[] = {"残り時間表示", "経過時間表示", "残り時間表示"};
    for (int click = 0; click < 3; ++click) {
        EXPECT_EQ(list->DisplayTimeSet2->text(), QString::fromUtf8(captions[click]));
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
