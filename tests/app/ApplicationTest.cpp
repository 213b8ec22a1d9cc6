#include "app/Application.h"
#include "platform/TerminationSignals.h"
#include "support/PlayerFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <optional>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

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

using EndUnderABoxTest = PlayerFixture;

// Real message boxes, each waiting in its own event loop while the end comes.
TEST_F(EndUnderABoxTest, AnEndThatComesWhileABoxWaitsClosesTheBoxFirstAndSavesTheLists)
{
    const std::tuple<const char *, bool, int> rows[] = {
        // The box, then the signal; none: the track ends to close the player.
        {"exit question", false, SIGTERM},
        {"cancel notice", true, SIGHUP},
        {"exit question", true, 0}};
    for (const auto &[box, closeAfterTrack, signal] : rows) {
        SCOPED_TRACE(box + std::to_string(signal));
        SetUp(); // a fresh scripted device for each row
        // A second signal to the same handler would end the test program at once.
        platform::TerminationSignals endSignals(Application::requestEnd);
        loadPlayer({makeFile("a.mp3")});
        list->FolderList = QStringList{music.path() + u'/'};
        list->ThisMusicExit->setChecked(closeAfterTrack);
        main->MusicPlay_Click();
        platform::setMessageBoxHandler({});
        bool boxOpen = false;
        QTimer::singleShot(0, [&, signal = signal] {
            boxOpen = QApplication::activeModalWidget() != nullptr;
            signal ? (void)::raise(signal) : (void)(device->position = device->length);
        });
        *box == 'e' ? main->ExitProgram_Click() : list->AllMusicRepeat->trigger();
        EXPECT_TRUE(boxOpen);
        EXPECT_TRUE(QTest::qWaitFor([] { return FormRegistry::instance().loadedCount() == 0; }, 5000));
        EXPECT_TRUE(readFile(PlayListForm::listFilePath(".fllx3")).contains(music.path().toUtf8()));
        TestEnvironment::flushEvents();
    }
}

// As the main window sits disabled while its outline is cut and the cut fails, before
// or while its box is open: the box still takes its click.
TEST(MessageBoxTest, ABoxOverAWindowDisabledForTheMomentTakesItsClick)
{
    QWidget window;
    window.show();
    platform::setMessageBoxHandler({});
    bool answered = false;
    QTimer::singleShot(0, [&] {
        window.setEnabled(false);
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        answered = !box->isVisible();
        box->reject(); // not to wait for ever when the click was lost
    });
    platform::showMessage(&window, {QStringLiteral("フォームの変形に失敗しました。"), QString()});
    EXPECT_TRUE(answered);
    TestEnvironment::refuseMessageBoxes();
}

// With the event loop held (here: never run), a second signal ends the program at once.
TEST(EndSignals, ASecondSignalEndsAtOnceWhateverHoldsTheFirst)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            platform::TerminationSignals endSignals([] {});
            ::raise(signal); // only noted for the event loop
            ::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_EQ(std::pair(WIFEXITED(status), WEXITSTATUS(status)), std::pair(true, 128 + signal)) << signal;
    }
}
