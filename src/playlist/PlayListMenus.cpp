#include "playlist/PlayListForm.h"

#include "platform/Shell.h"
#include "playlist/WebsiteAddress.h"

#include <QAction>
#include <QMenu>

namespace {

// The grouped menu; an entry of depth 0 followed by entries of depth 1 is a
// submenu. The flat menu is made from the same rows.
struct MenuRow {
    int depth;
    const char *name;
    const char *caption;
};

constexpr MenuRow GroupedMenu[] = {
    {0, "FolderSetupMenu", "フォルダリスト セットアップ"},
    {0, "ListMenu", "リスト"},
    {1, "PlayListMenu", "プレイリスト"},
    {1, "Sen1", "-"},
    {1, "AllListRenewalMenu", "全ての更新"},
    {1, "PartListRenewalMenu", "リスト内で更新"},
    {0, "Sen2", "-"},
    {0, "DisplayMenu", "表示"},
    {1, "WindowTopup", "常に手前に表示"},
    {1, "DisplayTimeSet", "残り時間表示"},
    {0, "Sen3", "-"},
    {0, "OptionMenu", "オプション"},
    {1, "PlayOption", "プレイオプション"},
    {1, "Sen4", "-"},
    {1, "AllMusicRepeat", "常時リピート"},
    {1, "OneMusicRepeat", "随時リピート"},
    {1, "Sen5", "-"},
    {1, "ThisMusicExit", "この曲で閉じる"},
    {0, "Sen6", "-"},
    {0, "VersionMenu", "バージョン"},
    {1, "VersionInfo", "バージョン情報"},
    {1, "NewVersionMenu", "最新のバージョン確認"},
    {0, "Sen7", "-"},
    {0, "MVWebsite", "MIRAVELT ウェブサイト"},
    {1, "OfficialHomepageURL", "オフィシャルホームページ"},
    {1, "Sen8", "-"},
    {1, "ToolShelfURL", "ツールシェルフ"},
    {1, "LX3PageURL", "Lyrabox 3 ページ"},
    {1, "Sen9", "-"},
    {1, "ProductInfoURL", "ソフトウェア"},
    {1, "SupportdeskURL", "サポート"},
    {1, "MVUserURL", "ユーザー"},
};

// The one submenu the flat menu keeps.
constexpr const char *FlatMenuSubmenu = "MVWebsite";
// The flat menu numbers its separators on from the grouped menu's.
constexpr int FlatSeparatorOffset = 9;

struct Command {
    const char *name;
    void (PlayListForm::*run)();
};

constexpr Command Commands[] = {
    {"FolderSetupMenu", &PlayListForm::FolderSetupMenu_Click},
    {"PlayListMenu", &PlayListForm::PlayListMenu_Click},
    {"AllListRenewalMenu", &PlayListForm::AllListRenewalMenu_Click},
    {"PartListRenewalMenu", &PlayListForm::PartListRenewalMenu_Click},
    {"WindowTopup", &PlayListForm::WindowTopup_Click},
    {"DisplayTimeSet", &PlayListForm::DisplayTimeSet_Click},
    {"PlayOption", &PlayListForm::PlayOption_Click},
    {"AllMusicRepeat", &PlayListForm::AllMusicRepeat_Click},
    {"OneMusicRepeat", &PlayListForm::OneMusicRepeat_Click},
    {"ThisMusicExit", &PlayListForm::ThisMusicExit_Click},
    {"VersionInfo", &PlayListForm::VersionInfo_Click},
    {"NewVersionMenu", &PlayListForm::NewVersionMenu_Click},
};

struct WebLink {
    const char *name;
    const char *path;
};

constexpr WebLink WebLinks[] = {
    {"OfficialHomepageURL", "/"},
    {"ToolShelfURL", "/software/"},
    {"LX3PageURL", "/software/lx3/"},
    {"ProductInfoURL", "/software/product/"},
    {"SupportdeskURL", "/software/support/"},
    {"MVUserURL", "/software/user/"},
};

bool isSeparator(const MenuRow &row)
{
    return QByteArray(row.name).startsWith("Sen");
}

bool opensSubmenu(const MenuRow *row, const MenuRow *end)
{
    return row + 1 != end && row->depth == 0 && row[1].depth == 1;
}

void addSeparator(QMenu *menu, const QString &name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(name);
}

QMenu *addSubmenu(QMenu *menu, const QString &name, const QString &caption)
{
    auto *submenu = new QMenu(caption, menu);
    submenu->setObjectName(name);
    submenu->menuAction()->setObjectName(name);
    menu->addMenu(submenu);
    return submenu;
}

} // namespace

void PlayListForm::createMenus()
{
    ComMenu = new QMenu(QStringLiteral("Menu"), this);
    ComMenu->setObjectName(QStringLiteral("ComMenu"));
    ComMenu2 = new QMenu(QStringLiteral("Menu2"), this);
    ComMenu2->setObjectName(QStringLiteral("ComMenu2"));
    fillMenu(ComMenu, false);
    fillMenu(ComMenu2, true);
    DisplayTimeSet = findChild<QAction *>(QStringLiteral("DisplayTimeSet"), Qt::FindDirectChildrenOnly);
    DisplayTimeSet2 = DisplayTimeSet;
    connectCommands();
}

// The play modes exist before the menus; every other command is made here.
QAction *PlayListForm::commandAction(QMenu *menu, const QString &name, const QString &caption)
{
    auto *action = findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
    if (action == nullptr) {
        action = new QAction(caption, this);
        action->setObjectName(name);
    }
    menu->addAction(action);
    return action;
}

// The flat menu lifts every submenu's items to its top level but one and shows
// the grouped menu's actions themselves; it numbers its separators on.
void PlayListForm::fillMenu(QMenu *top, bool flat)
{
    const MenuRow *end = std::end(GroupedMenu);
    QMenu *inner = top;
    for (const MenuRow *row = std::begin(GroupedMenu); row != end; ++row) {
        const QString name = QString::fromLatin1(row->name);
        const QString caption = QString::fromUtf8(row->caption);
        QMenu *menu = row->depth == 0 ? top : inner;
        if (opensSubmenu(row, end)) {
            const bool kept = !flat || name == QLatin1String(FlatMenuSubmenu);
            inner = kept ? addSubmenu(top, flat ? name + u'2' : name, caption) : top;
        } else if (isSeparator(*row)) {
            const int number = name.mid(3).toInt() + (flat ? FlatSeparatorOffset : 0);
            addSeparator(menu, QStringLiteral("Sen%1").arg(number));
        } else {
            commandAction(menu, name, caption);
        }
    }
}

void PlayListForm::connectCommands()
{
    const auto item = [this](const char *name) {
        return findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    };
    for (const Command &command : Commands) {
        connect(item(command.name), &QAction::triggered, this, command.run);
    }
    for (const WebLink &link : WebLinks) {
        const QString address = websiteAddress(QString::fromLatin1(link.path));
        // A page that cannot be opened is not reported.
        connect(item(link.name), &QAction::triggered, this, [address] { platform::shellOpen(address); });
    }
}

void PlayListForm::PopupMenu(QMenu *menu, const QPoint &globalPos)
{
    menu->popup(globalPos);
}

void PlayListForm::PopupChosenMenu(int choice, const QPoint &globalPos)
{
    PopupMenu(choice == 0 ? ComMenu2 : ComMenu, globalPos);
}
