#include "mainwindow/WindowTopModule.h"
#include "support/TestEnvironment.h"

#include <QWidget>

using namespace WindowTopModule;

TEST(WindowTopTest, EachModeShowsTheWindowAndSetsOrKeepsItsLevel)
{
    // Each row: the mode, then whether it is kept on top after it, from a window kept on top or not.
    const struct {
        std::int16_t mode;
        int result;
        bool fromNormal, fromTopmost;
    } rows[] = {{NotTopmost, 1, false, false}, {Topmost, 1, true, true}, {Top, 1, false, true},
                {Bottom, 1, false, false},     {4, 0, false, true},      {5, 0, false, true},
                {-1, 0, false, true}};
    for (const auto &row : rows) {
        for (const bool wasTopmost : {false, true}) {
            QWidget window;
            if (wasTopmost) {
                WindowTop(window, Topmost);
            }
            EXPECT_EQ(WindowTop(window, row.mode), row.result) << row.mode;
            EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                      wasTopmost ? row.fromTopmost : row.fromNormal)
                << row.mode << wasTopmost;
            EXPECT_EQ(window.isVisible(), row.result == 1 || wasTopmost)
                << "a loaded, hidden window is shown";
        }
    }
}
