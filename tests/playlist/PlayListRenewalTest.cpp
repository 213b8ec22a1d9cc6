#include "support/PlayerFixture.h"

using PlayListRenewalTest = PlayListFixture;

TEST_F(PlayListRenewalTest, CollectsTheMatchingVisibleFilesOfEveryFolderEvenBeyondSixteenBits)
{
    const QString rock =
        folderWith(QStringLiteral("R&B"), {"a.mp3", "B.WAV", "c.mid", "notes.txt", ".d.mp3"});
    const QString jazz = folderWith(QStringLiteral("Jazz"), {"j.au"});
    PlayListForm &form = load();
    form.FolderList = {rock, music.filePath("missing/"), jazz.chopped(1), rock};
    form.PlayListRenewal();
    const QStringList once{rock + "a.mp3", rock + "B.WAV", rock + "c.mid"};
    const QStringList expected = once + QStringList{jazz + "j.au"}; // the same folder twice: dealt once
    const QStringList dealt = form.PlayList->store().toStringList();
    EXPECT_TRUE(std::is_permutation(dealt.begin(), dealt.end(), expected.begin(), expected.end()))
        << dealt.join(u' ').toStdString();
    EXPECT_TRUE(form.MusicAllList.isEmpty());
    EXPECT_EQ(form.NaviFolder->text() + form.NaviAllFile->text() + form.NaviFile->text() + u' ' +
                  QString::number(sys().TotalFiles),
              QStringLiteral("444 4"));
    // Rows show the short form as it is, "&" included, and the full path as their tip.
    for (int row = 0; row < 4; ++row) {
        const QModelIndex index = form.OpenPlayList->model()->index(row, 0);
        const QString path = form.PlayList->at(row);
        EXPECT_EQ(index.data().toString() + u'|' + index.data(Qt::ToolTipRole).toString(),
                  QStringLiteral("/.../") + path.section(u'/', -2) + u'|' + path);
    }

    form.FolderList = {folderWith(QStringLiteral("Big"), numberedNames(QStringLiteral("%1.mp3"), 33000))};
    form.PlayListRenewal();
    EXPECT_EQ(sys().TotalFiles, 33000);
    EXPECT_EQ(form.OpenPlayList->model()->rowCount(), 33000);
    const QStringList many = form.PlayList->store().toStringList();
    EXPECT_EQ(QSet<QString>(many.begin(), many.end()).size(), 33000) << "each file once";
    form.OpenPlayList->setCurrentIndex(form.PlayList->index(32999));
    form.PlayCancelFile->click();
    EXPECT_EQ(form.NaviFile->text() + u'/' + form.NaviAllFile->text(), QStringLiteral("32999/33000"));
}

TEST_F(PlayListRenewalTest, PatternGroupsComeFromTheSettings)
{
    const QString mix = folderWith(QStringLiteral("Mix"), {"a.mp3", "b.wma", "c.m4a", "none"});
    putListFile(".fllx3", (mix + "\r\n\r\n").toUtf8());
    for (int group = 1; group <= 6; ++group) {
        setSetting(RegistryModule::MFPattern(group), QStringLiteral("none"));
    }
    EXPECT_EQ(load().PlayList->store().toStringList(), QStringList{mix + "c.m4a"}); // a missing value is on
}

TEST_F(PlayListRenewalTest, HoldingBackAndRenewalsKeepTheCountersAndLeaveNothingSelected)
{
    const QString rock = folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3"});
    PlayListForm &form = load();
    QLabel *counter = FormRegistry::instance().load<MainForm>().FileStatusLabel;
    // Navigator rest/total and the main window's counter, then "selected" while a row or path is shown.
    const auto state = [&] {
        const bool selected = form.OpenPlayList->selectionModel()->hasSelection() ||
                              !form.FilePosition->text().isEmpty() || form.PlayCancelFile->isEnabled() ||
                              form.PlayUpFile->isEnabled() || form.PlayDownFile->isEnabled();
        return form.NaviFile->text() + u'/' + form.NaviAllFile->text() + u' ' + counter->text() +
               (selected ? QStringLiteral(" selected") : QString());
    };
    const auto selectSecond = [&] {
        form.OpenPlayList->setCurrentIndex(form.PlayList->index(1));
        EXPECT_TRUE(state().endsWith(QStringLiteral(" selected")));
        return form.FilePosition->text();
    };
    form.FolderList = {rock};
    form.AllListRenewal->click();
    EXPECT_EQ(state(), QStringLiteral("3/3 Rest : 3 / 3 Files"));

    const QString heldBack = selectSecond();
    form.PlayCancelFile->click();
    EXPECT_EQ(state(), QStringLiteral("2/3 Rest : 2 / 3 Files"));
    EXPECT_EQ(form.OpenPlayList->model()->rowCount(), 2);
    folderWith(QStringLiteral("Rock"), {"4.mp3"});
    selectSecond();
    form.PartListRenewal->click();
    EXPECT_EQ(state(), QStringLiteral("2/3 Rest : 2 / 3 Files"))
        << "held back stays out, nothing new comes in";
    EXPECT_FALSE(form.PlayList->store().toStringList().contains(heldBack));

    selectSecond();
    form.PlayListRenewal();
    EXPECT_EQ(state(), QStringLiteral("4/4 Rest : 4 / 4 Files"));
}
