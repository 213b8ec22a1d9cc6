#include "support/PlayerFixture.h"

namespace {

class PlayListEditing : public PlayListFixture {
protected:
    PlayListForm &withEntries(int n)
    {
        PlayListForm &form = load();
        form.PlayList->setStore(
            PathStore::fromStringList(numberedNames(QStringLiteral("/music/album/%1.mp3"), n)));
        form.show();
        return form;
    }

    // The selected row, the path box, then hold back / up / down as enabled ("cud") or not ("-").
    static QString state(const PlayListForm &form)
    {
        const QModelIndexList rows = form.OpenPlayList->selectionModel()->selectedRows();
        return QString::number(rows.isEmpty() ? -1 : rows.first().row()) + u' ' + form.FilePosition->text() +
               u' ' + (form.PlayCancelFile->isEnabled() ? u'c' : u'-') +
               (form.PlayUpFile->isEnabled() ? u'u' : u'-') + (form.PlayDownFile->isEnabled() ? u'd' : u'-');
    }
};

} // namespace

TEST_F(PlayListEditing, SelectionShowsThePathAndEnablesWhatThePositionAllowsByMouseOrKey)
{
    PlayListForm &form = withEntries(4);
    click(form.OpenPlayList, 0);
    EXPECT_EQ(state(form), QStringLiteral("0 /music/album/0.mp3 c-d"));
    click(form.OpenPlayList, 3);
    EXPECT_EQ(state(form), QStringLiteral("3 /music/album/3.mp3 cu-"));
    QTest::keyClick(form.OpenPlayList, Qt::Key_Up);
    EXPECT_EQ(state(form), QStringLiteral("2 /music/album/2.mp3 cud"));
    QTest::keyClicks(form.FilePosition, QStringLiteral("typed"));
    form.FilePosition->setText(QStringLiteral("stray")); // not through the lock: put back
    EXPECT_EQ(state(form), QStringLiteral("2 /music/album/2.mp3 cud"));

    // Play control takes the top entry, then the one shown, clearing the box.
    click(form.OpenPlayList, 1);
    form.PlayList->removeAt(0);
    EXPECT_EQ(state(form), QStringLiteral("0 /music/album/1.mp3 c-d"));
    form.PlayList->removeAt(0);
    form.FilePositionLock = true;
    form.FilePosition->clear();
    form.FilePositionLock = false;
    EXPECT_TRUE(state(form).endsWith(QStringLiteral("  ---"))) << "box and buttons cleared";

    withEntries(1);
    click(form.OpenPlayList, 0);
    EXPECT_EQ(state(form), QStringLiteral("0 /music/album/0.mp3 c--"));

    // Entry three moved up three times plays next, still selected.
    withEntries(5);
    click(form.OpenPlayList, 3);
    for (int i = 0; i < 3; ++i) {
        form.PlayUpFile->click();
    }
    EXPECT_EQ(form.PlayList->store().toStringList().join(u' ').remove(QStringLiteral("/music/album/")),
              QStringLiteral("3.mp3 0.mp3 1.mp3 2.mp3 4.mp3"));
    EXPECT_EQ(form.OpenPlayList->model()->index(0, 0).data().toString(), QStringLiteral("/.../album/3.mp3"));
    EXPECT_EQ(state(form), QStringLiteral("0 /music/album/3.mp3 c-d"));

    // The buttons follow every selection, also of a second copy; the keys ignore keypad and shift.
    form.PlayList->setStore(PathStore::fromStringList({"/a.mp3", "/b.mp3", "/a.mp3"}));
    click(form.OpenPlayList, 0);
    click(form.OpenPlayList, 2);
    EXPECT_EQ(state(form), QStringLiteral("2 /a.mp3 cu-"));
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *after;
    } rows[] = {{Qt::Key_U, Qt::ShiftModifier, "1 /a.mp3 cud"},
                {Qt::Key_D, Qt::KeypadModifier, "2 /a.mp3 cu-"},
                {Qt::Key_Delete, Qt::KeypadModifier, "-1  ---"},
                {Qt::Key_Delete, Qt::NoModifier, "-1  ---"}};
    for (const auto &row : rows) {
        QTest::keyClick(form.OpenPlayList, row.key, row.modifiers);
        EXPECT_EQ(state(form), QString::fromLatin1(row.after)) << row.key;
    }
    EXPECT_EQ(form.PlayList->store().toStringList(), (QStringList{"/a.mp3", "/b.mp3"}));
}
