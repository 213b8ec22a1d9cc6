#include "app/FormRegistry.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QTest>

namespace {

class MainFormDragTest : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        FormRegistry::instance().load<PlayListForm>();
        main = &FormRegistry::instance().load<MainForm>();
        main->move(100, 100);
    }
    MainForm *main = nullptr;
};

} // namespace

TEST_F(MainFormDragTest, ALeftDragOnALabelOrALampMovesTheWindow)
{
    for (QWidget *handle :
         std::initializer_list<QWidget *>{main->NowTimeLabel, main->FileNameLabel, main->InfoCover}) {
        const QPoint start = main->pos();
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(handle, QPoint(32, 22));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(32, 22));
        EXPECT_EQ(main->pos(), start + QPoint(30, 20)) << handle->objectName().toStdString();
    }
}

TEST_F(MainFormDragTest, ARightPressDoesNotDrag)
{
    const QPoint start = main->pos();
    QTest::mousePress(main->StatusLabel, Qt::RightButton, {}, QPoint(2, 2));
    QTest::mouseMove(main->StatusLabel, QPoint(40, 40));
    QTest::mouseRelease(main->StatusLabel, Qt::RightButton, {}, QPoint(40, 40));
    EXPECT_EQ(main->pos(), start);
}
