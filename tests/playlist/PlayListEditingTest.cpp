#include "PlayListFixture.h"

#include <QTest>

namespace {

using Buttons = std::array<bool, 3>; // hold back, up, down

class PlayListEditing : public PlayListFixture {
protected:
    PlayListForm &withEntries(int n)
    {
        PlayListForm &form = load();
        QStringList paths;
        for (int i = 0; i < n; ++i) {
            paths << QStringLiteral("/music/album/%1.mp3").arg(i);
        }
        form.PlayList->setPaths(paths);
        form.show();
        return form;
    }

    static void click(PlayListForm &form, int row)
    {
        const QRect rect = form.OpenPlayList->visualRect(form.PlayList->index(row));
        QTest::mouseClick(form.OpenPlayList->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static void key(PlayListForm &form, Qt::Key k) { QTest::keyClick(form.OpenPlayList, k); }

    static Buttons buttons(const PlayListForm &form)
    {
        return {form.PlayCancelFile->isEnabled(), form.PlayUpFile->isEnabled(),
                form.PlayDownFile->isEnabled()};
    }

    static int selected(const PlayListForm &form)
    {
        const QModelIndexList rows = form.OpenPlayList->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
};

} // namespace

TEST_F(PlayListEditing, SelectionShowsThePathAndEnablesWhatThePositionAllows)
{
    PlayListForm &form = withEntries(4);
    // The path box, then hold back / up / down as enabled ("cud") or not ("-").
    const auto state = [&form] {
        const Buttons b = buttons(form);
        return form.FilePosition->text() + u' ' + (b[0] ? u'c' : u'-') + (b[1] ? u'u' : u'-') +
               (b[2] ? u'd' : u'-');
    };
    click(form, 0);
    EXPECT_EQ(state(), QStringLiteral("/music/album/0.mp3 c-d"));
    click(form, 3);
    EXPECT_EQ(state(), QStringLiteral("/music/album/3.mp3 cu-"));
    key(form, Qt::Key_Up);
    EXPECT_EQ(state(), QStringLiteral("/music/album/2.mp3 cud"));
    QTest::keyClicks(form.FilePosition, QStringLiteral("typed"));
    form.FilePosition->setText(QStringLiteral("stray")); // not through the lock: put back
    EXPECT_EQ(state(), QStringLiteral("/music/album/2.mp3 cud"));

    // Play control takes the top entry, then the one shown, clearing the box.
    click(form, 1);
    form.PlayList->removeAt(0);
    EXPECT_EQ(state(), QStringLiteral("/music/album/1.mp3 c-d"));
    form.PlayList->removeAt(0);
    sys().FilePositionLock = true;
    form.FilePosition->clear();
    sys().FilePositionLock = false;
    EXPECT_EQ(state(), QStringLiteral(" ---"));

    withEntries(1);
    click(form, 0);
    EXPECT_EQ(state(), QStringLiteral("/music/album/0.mp3 c--"));
}

TEST_F(PlayListEditing, MovingEntryThreeUpThreeTimesMakesItPlayNext)
{
    PlayListForm &form = withEntries(5);
    click(form, 3);
    for (int i = 0; i < 3; ++i) {
        form.PlayUpFile->click();
    }
    EXPECT_EQ(form.PlayList->paths(),
              (QStringList{"/music/album/3.mp3", "/music/album/0.mp3", "/music/album/1.mp3",
                           "/music/album/2.mp3", "/music/album/4.mp3"}));
    EXPECT_EQ(form.OpenPlayList->model()->index(0, 0).data().toString(), QStringLiteral("/.../album/3.mp3"));
    EXPECT_EQ(selected(form), 0);
    EXPECT_EQ(form.FilePosition->text(), QStringLiteral("/music/album/3.mp3"));
    EXPECT_EQ(buttons(form), (Buttons{true, false, true}));
}

TEST_F(PlayListEditing, ButtonsFollowEverySelectionAndKeysIgnoreKeypadAndShift)
{
    PlayListForm &form = withEntries(3);
    form.PlayList->setPaths({"/a.mp3", "/b.mp3", "/a.mp3"});
    click(form, 0);
    click(form, 2);
    EXPECT_EQ(buttons(form), (Buttons{true, true, false})) << "the second copy of the same path";
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int selectedAfter;
    } rows[] = {{Qt::Key_U, Qt::ShiftModifier, 1},
                {Qt::Key_D, Qt::KeypadModifier, 2},
                {Qt::Key_Delete, Qt::KeypadModifier, -1},
                {Qt::Key_Delete, Qt::NoModifier, -1}};
    for (const auto &row : rows) {
        QTest::keyClick(form.OpenPlayList, row.key, row.modifiers);
        EXPECT_EQ(selected(form), row.selectedAfter) << row.key;
    }
    EXPECT_EQ(form.PlayList->count(), 2);
}

TEST_F(PlayListEditing, HoldingBackCountsDownButKeepsTheTotal)
{
    putListFile(".fllx3",
                (folderWith(QStringLiteral("R"), {"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"}) + "\r\n\r\n")
                    .toUtf8());
    PlayListForm &form = load();
    QLabel *counter = mainCounter();
    form.show();
    click(form, 4);
    const QString heldBack = form.FilePosition->text();
    form.PlayCancelFile->click();
    EXPECT_EQ(counter->text(), QStringLiteral("Rest : 4 / 5 Files"));
    EXPECT_EQ(form.NaviFile->text() + form.NaviAllFile->text(), QStringLiteral("45"));
    EXPECT_FALSE(form.PlayList->paths().contains(heldBack));
    EXPECT_EQ(form.OpenPlayList->model()->rowCount(), 4);
    EXPECT_EQ(selected(form), -1);
    EXPECT_TRUE(form.FilePosition->text().isEmpty());
    EXPECT_EQ(buttons(form), (Buttons{false, false, false}));
}
