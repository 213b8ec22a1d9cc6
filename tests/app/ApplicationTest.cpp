#include "app/Application.h"
#include "platform/TerminationSignals.h"
#include "playback/PlayerFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

TEST(ApplicationTest, AWaylandSessionRunsThroughXWaylandUnlessThePlatformWasChosen)
{
    const char *names[] = {"XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"};
    std::optional<QByteArray> saved[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i) {
        saved[i] = qEnvironmentVariableIsSet(names[i]) ? std::optional(qgetenv(names[i])) : std::nullopt;
        qunsetenv(names[i]);
    }
    qputenv("XDG_SESSION_TYPE", "wayland");
    // The platform chosen, the display and the platform then; nullptr: unset.
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {nullptr, ":0", "xcb"}, {"wayland", ":0", "wayland"}, {nullptr, nullptr, nullptr}};
    for (const auto &[platform, display, expected] : rows) {
        platform ? qputenv("QT_QPA_PLATFORM", platform) : qunsetenv("QT_QPA_PLATFORM");
        display ? qputenv("DISPLAY", display) : qunsetenv("DISPLAY");
        Application::preferX11OnWayland();
        EXPECT_EQ(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("-")), expected ? expected : "-")
            << "the choice stands";
    }
    for (size_t i = 0; i < std::size(names); ++i) {
        saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
    }
}

namespace {
using EndUnderABoxTest = PlayerFixture;
} // namespace

// Real message boxes, each waiting in its own event loop while the end comes.
TEST_F(EndUnderABoxTest, AnEndThatComesWhileABoxWaitsClosesTheBoxFirstAndSavesTheLists)
{
    platform::TerminationSignals endSignals(Application::requestEnd);
    const struct {
        const char *name;
        bool closeAfterTrack;
        void (*open)(MainForm &, PlayListForm &);
        std::function<void(ScriptedMediaDevice &)> inside;
    } rows[] = {
        {"SIGTERM over the exit question", false, [](MainForm &m, PlayListForm &) { m.ExitProgram_Click(); },
         [](ScriptedMediaDevice &) { ::raise(SIGTERM); }},
        {"SIGHUP over the cancel notice", true,
         [](MainForm &, PlayListForm &l) { l.AllMusicRepeat->trigger(); },
         [](ScriptedMediaDevice &) { ::raise(SIGHUP); }},
        {"the track ends to close the player under the exit question", true,
         [](MainForm &m, PlayListForm &) { m.ExitProgram_Click(); },
         [](ScriptedMediaDevice &d) { d.position = d.length; }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment::resetAll();
        loadPlayer({makeFile("a.mp3")});
        list->FolderList = QStringList{folder.path() + u'/'};
        list->ThisMusicExit->setChecked(row.closeAfterTrack);
        main->MusicPlay_Click();
        platform::setMessageBoxHandler({});
        bool boxOpen = false;
        QTimer::singleShot(0, [&] {
            boxOpen = QApplication::activeModalWidget() != nullptr;
            row.inside(*device);
        });
        row.open(*main, *list);
        EXPECT_TRUE(boxOpen);
        EXPECT_TRUE(QTest::qWaitFor([] { return FormRegistry::instance().loadedCount() == 0; }, 5000));
        QFile saved(PlayListForm::listFilePath(".fllx3"));
        EXPECT_TRUE(saved.open(QIODevice::ReadOnly) && saved.readAll().contains(folder.path().toUtf8()));
        TestEnvironment::flushEvents();
    }
}

// As the main window sits disabled while its outline is cut and the cut fails,
// before or while its box is open.
TEST(MessageBoxTest, ABoxOverAWindowDisabledForTheMomentTakesItsClick)
{
    QWidget window;
    window.show();
    window.setEnabled(false);
    platform::setMessageBoxHandler({});
    bool answered = false;
    QTimer::singleShot(0, [&] {
        window.setEnabled(true);
        window.setEnabled(false);
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        answered = !box->isVisible();
        box->reject(); // not to wait for ever when the click was lost
    });
    platform::showMessage(&window,
                          {QStringLiteral("フォームの変形に失敗しました。"), QStringLiteral("Lyrabox 3")});
    EXPECT_TRUE(answered);
    TestEnvironment::refuseMessageBoxes();
}
