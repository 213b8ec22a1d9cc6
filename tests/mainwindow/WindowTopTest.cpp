#include "mainwindow/WindowTopModule.h"
#include "support/TestEnvironment.h"

#include <QWidget>

using WindowTopModule::WindowTop;

namespace {
class WindowTopTest : public CleanStateTest {};

bool keptOnTop(const QWidget &w)
{
    return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
} // namespace

TEST_F(WindowTopTest, EveryModeShowsALoadedButHiddenWindow)
{
    for (std::int16_t mode = 0; mode <= 3; ++mode) {
        QWidget window;
        ASSERT_FALSE(window.isVisible());
        EXPECT_NE(WindowTop(window, mode), 0) << mode;
        EXPECT_TRUE(window.isVisible()) << mode;
    }
}

TEST_F(WindowTopTest, TopmostIsKeptUntilReleasedOrSentToTheBottom)
{
    QWidget window;
    WindowTop(window, WindowTopModule::Topmost);
    EXPECT_TRUE(keptOnTop(window));
    WindowTop(window, WindowTopModule::Top);
    EXPECT_TRUE(keptOnTop(window)) << "to the top of its level keeps the level";
    WindowTop(window, WindowTopModule::NotTopmost);
    EXPECT_FALSE(keptOnTop(window));
    EXPECT_TRUE(window.isVisible()) << "changing the level must not leave the window hidden";

    WindowTop(window, WindowTopModule::Topmost);
    WindowTop(window, WindowTopModule::Bottom);
    EXPECT_FALSE(keptOnTop(window));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowTopTest, UnknownModesDoNothing)
{
    QWidget window;
    for (const std::int16_t mode : {std::int16_t{5}, std::int16_t{-1}, std::int16_t{4}}) {
        EXPECT_EQ(WindowTop(window, mode), 0);
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(keptOnTop(window));
    }
    WindowTop(window, WindowTopModule::Topmost);
    EXPECT_EQ(WindowTop(window, 5), 0);
    EXPECT_TRUE(keptOnTop(window)) << "5 leaves a kept-on-top window as it was";
}
