#include "playback/TitleScroll.h"
#include "mainwindow/TitleScroller.h"
#include "support/PlayerFixture.h"

#include <QImage>
#include <QTimer>

#include <algorithm>
#include <vector>

using TitleScrollTest = PlayerFixture;

TEST_F(TitleScrollTest, ALongTitleRestsSlidesOutAndStartsOverAndTheTimerRunsOnlyWhileItCanMove)
{
    loadPlayer({});
    const TitleScroller *title = main->titleScroller;
    const QTimer *timer = title->timer();
    const auto ticks = [this](int n) {
        for (int i = 0; i < n; ++i) {
            main->TitleTimer_Timer();
        }
    };
    // The columns of the box where the title shows, against the box with no title.
    const QImage untitled = main->TitleBox->grab().toImage();
    const auto titleColumns = [&] {
        const QImage now = main->TitleBox->grab().toImage();
        std::vector<bool> columns(now.width());
        for (int x = 0; x < now.width(); ++x) {
            for (int y = 0; y < now.height(); ++y) {
                columns[x] = columns[x] || now.pixel(x, y) != untitled.pixel(x, y);
            }
        }
        return columns;
    };
    main->setTitle(
        QStringLiteral("とても長いタイトルの曲 - Extended Live Version at the Hall (Remastered).mp3"));
    ASSERT_TRUE(main->FileNameLabel->width() > main->TitleBox->width() && timer->isActive());
    EXPECT_EQ(timer->interval(), 17 * TitleScroller::TickMs) << "it sleeps through the rest";
    ticks(16);
    EXPECT_EQ(title->leftTwips(), 0) << "rests for 16 ticks";
    const std::vector<bool> atRest = titleColumns();
    ticks(3);
    EXPECT_EQ(std::tuple(title->leftTwips(), main->FileNameLabel->x()), std::tuple(-30, -2));
    const std::vector<bool> moved = titleColumns();
    EXPECT_GT(std::count(atRest.begin(), atRest.end(), true), 50) << "the title is drawn";
    EXPECT_EQ(std::vector(atRest.begin() + 2, atRest.end()), std::vector(moved.begin(), moved.end() - 2))
        << "and drawn two pixels further left";

    const int widthTwips = main->FileNameLabel->width() * TitleScroller::TwipsPerPixel;
    for (int guard = 0; !title->restarting() && guard < 100000; ++guard) {
        main->TitleTimer_Timer();
    }
    EXPECT_LT(title->leftTwips(), -widthTwips) << "the whole title left the box";
    ticks(17);
    EXPECT_EQ(title->leftTwips(), 0) << "back at the edge, and rests again";
    ticks(1);
    EXPECT_EQ(title->leftTwips(), -10);

    main->setTitle(QStringLiteral("a.mp3"));
    EXPECT_EQ(std::tuple(timer->isActive(), main->FileNameLabel->x()), std::tuple(false, 0));
    sys().TitleScrollOn = false;
    main->setTitle(QString(200, u'x'));
    ticks(100);
    EXPECT_EQ(title->leftTwips(), 0);
    // Switched on and off by the options window, and hidden in the tray: the timer follows.
    for (const bool on : {true, false, true}) {
        sys().TitleScrollOn = on;
        main->FileNameLabel_Change();
        EXPECT_EQ(timer->isActive(), on);
    }
    main->show();
    main->hide();
    EXPECT_FALSE(timer->isActive()) << "hidden in the tray";
    main->show();
    EXPECT_TRUE(timer->isActive());
}

TEST(TitleScrollRule, TheTimerWakesOnlyForTicksThatMoveThePictureAPixel)
{
    const int width = 3000; // twips
    const struct {
        TitleScroll now;
        int ticks;
    } rows[] = {
        {{false, 0, 0}, 17},                          // rests 16 ticks, the 17th moves it
        {{false, 16, 0}, 1},                          // -10 twips rounds to -1 pixel
        {{false, 16, -10}, 2},                        // -20 stays on -1, -30 is -2
        {{false, 16, -30}, 1}, {{true, 0, -3010}, 1}, // back at the left edge
    };
    for (const auto &row : rows) {
        EXPECT_EQ(ticksToNextPixel(row.now, width, TitleScroller::TwipsPerPixel), row.ticks)
            << row.now.waitCount << " " << row.now.leftTwips;
    }
}
