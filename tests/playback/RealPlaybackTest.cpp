#include "app/FormRegistry.h"
#include "app/RegistryModule.h"
#include "app/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "support/AudioFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gst/base/gstbasesink.h>

namespace {

// A sound output that goes away 300 ms into a track, as a sound server that quits.
struct FailingSink {
    GstBaseSink parent;
};
struct FailingSinkClass {
    GstBaseSinkClass parent;
};
G_DEFINE_TYPE(FailingSink, failing_sink, GST_TYPE_BASE_SINK)

GstFlowReturn failingSinkRender(GstBaseSink *sink, GstBuffer *buffer)
{
    if (GST_BUFFER_PTS_IS_VALID(buffer) && GST_BUFFER_PTS(buffer) >= 300 * GST_MSECOND) {
        GST_ELEMENT_ERROR(sink, RESOURCE, WRITE, ("Connection terminated"), (nullptr));
        return GST_FLOW_ERROR;
    }
    return GST_FLOW_OK;
}

void failing_sink_class_init(FailingSinkClass *type)
{
    static GstStaticPadTemplate pads =
        GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS_ANY);
    gst_element_class_add_static_pad_template(GST_ELEMENT_CLASS(type), &pads);
    gst_element_class_set_static_metadata(GST_ELEMENT_CLASS(type), "Failing sink", "Sink/Audio",
                                          "Fails partway", "tests");
    GST_BASE_SINK_CLASS(type)->render = failingSinkRender;
}

void failing_sink_init(FailingSink *) {}

void setSetting(const QString &name, const QString &value)
{
    RegistryModule::SetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey, name, value);
}

} // namespace

using RealPlaybackTest = CleanStateTest;

TEST_F(RealPlaybackTest, EveryFileOfTheFolderPlaysOnceAndThePlayerStopsAtTheEndOfTheList)
{
    const struct {
        QStringList tones; // the first one plays longest
        bool onlyTheSeventhGroup;
        QString unplayable; // dealt, opened, failed and passed over
        QString notDealt;
    } rows[] = {
        {{"b side.mp3", "a.wav", "\"quoted\" 曲.au"}, false, "mix.m3u", {}},
        {{"long.flac", "v.ogg", "v.oga", "o.opus", "m.m4a", "a.aac"}, true, {}, "other.wav"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.tones.join(u' ').toStdString());
        CleanStateTest::SetUp();
        MessageRecorder messages;
        QTemporaryDir folder;
        const QString dir = folder.path();
        QStringList dealt;
        for (const QString &name : row.tones) {
            dealt << AudioFixtures::makeTone(dir, name, dealt.isEmpty() ? 1400 : 600);
        }
        ASSERT_FALSE(dealt.contains(QString()));
        if (!row.unplayable.isEmpty()) {
            dealt << AudioFixtures::writeFile(dir, row.unplayable, "#EXTM3U\na.wav\n");
        }
        if (!row.notDealt.isEmpty()) {
            ASSERT_FALSE(AudioFixtures::makeTone(dir, row.notDealt, 600).isEmpty());
        }
        for (int group = 1; row.onlyTheSeventhGroup && group <= 6; ++group) {
            setSetting(RegistryModule::MFPattern(group), QStringLiteral("none"));
        }
        setSetting(RegistryModule::PlayEndMode, QStringLiteral("stop"));
        PlayListForm &list = FormRegistry::instance().load<PlayListForm>();
        list.FolderList = QStringList{dir + u'/'};
        list.PlayListRenewal();
        MainForm &main = FormRegistry::instance().load<MainForm>();
        ASSERT_EQ(sys().TotalFiles, dealt.size());

        QSet<QString> started;
        QSet<QString> timesShown;
        QTest::mouseClick(main.MusicPlay, Qt::LeftButton);
        // Notes every track started and every time shown until the player stops by itself.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                started << sys().MusicFileName;
                timesShown << main.NowTimeLabel->text();
                return sys().PlayCommand == 1;
            },
            30000));
        EXPECT_EQ(started - QSet<QString>{QString()}, QSet<QString>(dealt.begin(), dealt.end()));
        EXPECT_TRUE(messages.shown().isEmpty()) << "a failing open is not reported";
        EXPECT_TRUE(timesShown.contains(QStringLiteral("00:00:01")))
            << "the time moved during the long track";
        const QString total = QString::number(dealt.size());
        EXPECT_EQ(
            QStringList({main.StatusLabel->text(), main.FileStatusLabel->text(), main.NowTimeLabel->text()}),
            QStringList({"Stop.", "Rest : 0 / " + total + " Files", "00:00:00"}));
        EXPECT_FALSE(main.MusicTimer->isActive());
        FormRegistry::instance().unloadAll();
    }
}

TEST_F(RealPlaybackTest, AMissingDecoderIsSaidOncePerKindWhileThePlayerGoesOnWithoutStackingBoxes)
{
    QTemporaryDir folder;
    QStringList files;
    for (const char *name : {"1.wma", "2.wma", "3.wma", "4.ogg", "5.ogg", "6.wav"}) {
        files << AudioFixtures::makeTone(folder.path(), QString::fromLatin1(name), 600);
    }
    ASSERT_FALSE(files.contains(QString()));
    // Taken out of the plug-in registry for this test, as if not installed.
    QList<GstPluginFeature *> removed;
    for (const char *name : {"avdec_wmav2", "vorbisdec"}) {
        removed << gst_registry_lookup_feature(gst_registry_get(), name);
        gst_registry_remove_feature(gst_registry_get(), removed.last());
    }
    const auto restore = qScopeGuard([&] {
        for (GstPluginFeature *feature : removed) {
            gst_registry_add_feature(gst_registry_get(), feature);
            gst_object_unref(feature);
        }
    });
    setSetting(RegistryModule::PlayEndMode, QStringLiteral("stop"));
    PlayListForm &list = FormRegistry::instance().load<PlayListForm>();
    list.FolderList = QStringList{folder.path() + u'/'};
    list.PlayListRenewal();
    MainForm &main = FormRegistry::instance().load<MainForm>();

    QList<platform::MessageRequest> said;
    int open = 0;
    int mostOpen = 0;
    platform::setMessageBoxHandler([&](QWidget *, const platform::MessageRequest &request) {
        said << request;
        mostOpen = std::max(mostOpen, ++open);
        // While the box waits for a click the player goes through the whole list.
        EXPECT_TRUE(QTest::qWaitFor([] { return sys().PlayCommand == 1; }, 30000));
        --open;
        return platform::MessageAnswer::Ok;
    });
    QTest::mouseClick(main.MusicPlay, Qt::LeftButton);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return sys().PlayCommand == 1 && said.size() == 2 && open == 0; }, 30000));
    TestEnvironment::flushEvents();
    ASSERT_EQ(said.size(), 2);
    EXPECT_EQ(mostOpen, 1);
    QStringList texts{said[0].title + said[0].text, said[1].title + said[1].text};
    texts.sort();
    EXPECT_TRUE(texts[0].startsWith("再生エラー*.ogg ") && texts[0].contains("plugins-base"))
        << texts[0].toStdString();
    EXPECT_TRUE(texts[1].startsWith("再生エラー*.wma ") && texts[1].contains("gstreamer1.0-libav"));
    TestEnvironment::refuseMessageBoxes();
}

TEST_F(RealPlaybackTest, ALostSoundOutputStopsAndKeepsTheTrackForTheNextClick)
{
    gst_init(nullptr, nullptr);
    gst_element_register(nullptr, "lyrafailingsink", GST_RANK_NONE, failing_sink_get_type());
    QTemporaryDir folder;
    const QStringList queue{AudioFixtures::makeTone(folder.path(), QStringLiteral("a.wav"), 1400),
                            AudioFixtures::makeTone(folder.path(), QStringLiteral("b.wav"), 600)};
    ASSERT_FALSE(queue.contains(QString()));
    PlayListForm &list = FormRegistry::instance().load<PlayListForm>();
    list.PlayList->setStore(PathStore::fromStringList(queue));
    MainForm &main = FormRegistry::instance().load<MainForm>();
    const QByteArray sink = qgetenv("LYRABOX_AUDIO_SINK");
    qputenv("LYRABOX_AUDIO_SINK", "lyrafailingsink");
    MessageRecorder messages;
    QTest::mouseClick(main.MusicPlay, Qt::LeftButton);
    EXPECT_EQ(sys().MusicFileName, queue[0]);
    EXPECT_TRUE(QTest::qWaitFor([] { return sys().PlayCommand == 1; }, 10000));
    qputenv("LYRABOX_AUDIO_SINK", sink);
    EXPECT_EQ(list.PlayList->store().toStringList(), queue);
    EXPECT_EQ(main.StatusLabel->text() + u' ' + main.FileStatusLabel->text(), "Stop. Rest : 2 / 0 Files");
    EXPECT_TRUE(messages.shown().isEmpty());

    QTest::mouseClick(main.MusicPlay, Qt::LeftButton);
    EXPECT_EQ(sys().MusicFileName + u' ' + main.StatusLabel->text(), queue[0] + " Play.");
}
