#include "playback/PlayerFixture.h"

#include <QTimer>

using TitleScrollTest = PlayerFixture;

TEST_F(TitleScrollTest, ALongTitleRestsSlidesWhollyOutAndStartsOverAShortOneStays)
{
    loadPlayer({});
    const auto ticks = [this](int n) {
        for (int i = 0; i < n; ++i) {
            main->TitleTimer_Timer();
        }
    };
    main->setTitle(
        QStringLiteral("とても長いタイトルの曲 - Extended Live Version at the Hall (Remastered).mp3"));
    ASSERT_TRUE(main->FileNameLabel->width() > main->TitleBox->width() && main->TitleTimer->isActive());
    ticks(16);
    EXPECT_EQ(main->titleLeftTwips(), 0) << "rests for 16 ticks";
    ticks(3);
    EXPECT_EQ(std::tuple(main->titleLeftTwips(), main->FileNameLabel->x()), std::tuple(-30, -2));

    const int widthTwips = main->FileNameLabel->width() * MainForm::TwipsPerPixel;
    for (int guard = 0; !sys().TitleRestart && guard < 100000; ++guard) {
        main->TitleTimer_Timer();
    }
    EXPECT_LT(main->titleLeftTwips(), -widthTwips) << "the whole title left the box";
    ticks(17);
    EXPECT_EQ(main->titleLeftTwips(), 0) << "back at the edge, and rests again";
    ticks(1);
    EXPECT_EQ(main->titleLeftTwips(), -10);

    main->setTitle(QStringLiteral("a.mp3"));
    EXPECT_EQ(std::tuple(main->TitleTimer->isActive(), main->FileNameLabel->x()), std::tuple(false, 0));
    sys().TitleScrollOn = false;
    main->setTitle(QString(200, u'x'));
    ticks(100);
    EXPECT_EQ(main->titleLeftTwips(), 0);
}
