#include "playback/MediaEngine.h"
#include "support/ScriptedMediaDevice.h"
#include "support/TestEnvironment.h"

#include <QObject>
#include <functional>

using MediaEngineTest = CleanStateTest;

// The one place that knows the channel's words: each operation, what it sends.
TEST_F(MediaEngineTest, EachOperationSendsItsCommandsAndRepliesAreReadAsNumbers)
{
    auto *device = new ScriptedMediaDevice;
    platform::setMediaDevice(std::unique_ptr<platform::MediaDevice>(device));
    MediaEngine &engine = MediaEngine::instance();
    bool ended = false;
    const QObject listener;
    QObject::connect(&engine, &MediaEngine::trackEnded, &listener, [&] { ended = true; });
    device->unplayable << "/m/bad.wma";
    device->length = 205000;

    const MediaEngine::Opened good = engine.open("/m/a b.mp3");
    EXPECT_EQ(std::tuple(good.opened, good.lengthMs, good.outputLost), std::tuple(true, 205000, false));
    const std::pair<std::function<void()>, const char *> rows[] = {
        {[&] { engine.play(); }, "play MusicMedia"},
        {[&] { engine.pause(); }, "pause MusicMedia"},
        {[&] { engine.resume(); }, "resume MusicMedia"},
        {[&] { engine.seekTo(61000); }, "seek MusicMedia to 61000"},
        {[&] { engine.poll(); }, "status MusicMedia position"},
        {[&] { EXPECT_TRUE(engine.restart()); }, "seek MusicMedia to start|play MusicMedia"},
        {[&] { EXPECT_EQ(engine.position(), 0); }, "status MusicMedia position"},
        {[&] { engine.stop(); }, "stop MusicMedia|close MusicMedia"},
        {[&] { EXPECT_FALSE(engine.restart()); }, "seek MusicMedia to start"},
    };
    device->commands.clear();
    for (const auto &[operation, sent] : rows) {
        operation();
        EXPECT_EQ(device->commands.join(u'|'), QString::fromLatin1(sent));
        device->commands.clear();
    }
    EXPECT_EQ(engine.polledMs(), 61000) << "where the seek put it";

    // A file that does not open keeps the last reply as its length and ends at the first poll.
    const MediaEngine::Opened bad = engine.open("/m/bad.wma");
    EXPECT_EQ(device->commands.join(u'|'),
              "open \"/m/bad.wma\" alias MusicMedia|"
              "set MusicMedia time format milliseconds|status MusicMedia length");
    EXPECT_EQ(std::tuple(bad.opened, bad.lengthMs), std::tuple(false, 61000));
    engine.poll();
    EXPECT_TRUE(ended);
}
