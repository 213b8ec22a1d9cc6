#include "playback/PlayerFixture.h"

#include <QTimer>

namespace {

class TitleScrollTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        loadPlayer({});
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i) {
            main->TitleTimer_Timer();
        }
    }
};

} // namespace

TEST_F(TitleScrollTest, AShortTitleOrScrollingOffLeavesTheTitleAtTheLeftEdge)
{
    main->setTitle(QStringLiteral("a.mp3"));
    EXPECT_FALSE(main->TitleTimer->isActive());
    EXPECT_EQ(main->FileNameLabel->x(), 0);
    sys().TitleScrollOn = false;
    main->setTitle(QString(200, u'x'));
    ticks(100);
    EXPECT_EQ(main->titleLeftTwips(), 0);
}

TEST_F(TitleScrollTest, ALongTitleRestsSlidesOutAndStartsOver)
{
    main->setTitle(
        QStringLiteral("とても長いタイトルの曲 - Extended Live Version at the Hall (Remastered).mp3"));
    ASSERT_GT(main->FileNameLabel->width(), main->TitleBox->width());
    EXPECT_TRUE(main->TitleTimer->isActive());

    ticks(16);
    EXPECT_EQ(main->titleLeftTwips(), 0) << "rests for 16 ticks";
    ticks(3);
    EXPECT_EQ(main->titleLeftTwips(), -30);
    EXPECT_EQ(main->FileNameLabel->x(), -2);

    const int widthTwips = main->FileNameLabel->width() * MainForm::TwipsPerPixel;
    for (int guard = 0; !sys().TitleRestart && guard < 100000; ++guard) {
        main->TitleTimer_Timer();
    }
    EXPECT_LT(main->titleLeftTwips(), -widthTwips) << "the whole title left the box";
    main->TitleTimer_Timer();
    EXPECT_EQ(main->titleLeftTwips(), 0);
    EXPECT_EQ(sys().TitleWaitCount, 0);
    ticks(16);
    EXPECT_EQ(main->titleLeftTwips(), 0) << "and rests again";
}
