#include "mainwindow/ImageButton.h"
#include "platform/GstAudioFeatures.h"
#include "playback/PlayController.h"
#include "support/AudioFixtures.h"
#include "support/DecodersTakenOut.h"
#include "support/PlayerFixture.h"

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

} // namespace

using RealPlaybackTest = PlayerFixture;

TEST_F(RealPlaybackTest, EveryFileOfTheFolderPlaysOnceAndThePlayerStopsAtTheEndOfTheList)
{
    const struct {
        QStringList files; // the first one plays longest; a play list is opened, fails and is passed over
        QStringList decodersTakenOut, said; // one box for each kind of file that lacks one: kind|package
        const char *sink = nullptr;         // one that fails 300 ms into the first track
    } rows[] = {
        {{"b side.mp3", "a.wav", "\"quoted\" 曲.au", "mix.m3u"}, {}, {}},
        {{"long.flac", "v.ogg", "v.oga", "o.opus", "m.m4a", "a.aac"}, {}, {}},
        {{"long.wav", "1.wma", "2.wma", "3.ogg", "4.ogg"},
         {"avdec_wmav2", "vorbisdec"},
         {"*.ogg|gstreamer1.0-plugins-base", "*.wma|gstreamer1.0-libav"}},
        {{"long.wav", "b.wav"}, {}, {}, "lyrafailingsink"},
    };
    gst_init(nullptr, nullptr);
    gst_element_register(nullptr, "lyrafailingsink", GST_RANK_NONE, failing_sink_get_type());
    const QByteArray fakeSink = qgetenv("LYRABOX_AUDIO_SINK");
    QTemporaryDir folders[std::size(rows)];
    QStringList made[std::size(rows)];
    for (size_t r = 0; r < std::size(rows); ++r) {
        for (const QString &name : rows[r].files) {
            made[r] << (name.endsWith(u".m3u")
                            ? AudioFixtures::writeFile(folders[r].path(), name, "#EXTM3U\na.wav\n")
                            : AudioFixtures::makeTone(folders[r].path(), name,
                                                      made[r].isEmpty() ? 1400 : 600));
        }
    }
    // As the program plays: with no encoders, muxers or video in the registry.
    platform::keepAudioFeaturesOnly();
    for (size_t r = 0; r < std::size(rows); ++r) {
        const auto &row = rows[r];
        const QTemporaryDir &folder = folders[r];
        const QStringList &dealt = made[r];
        SCOPED_TRACE(row.files.join(u' ').toStdString());
        SetUp();
        platform::setMediaDevice(nullptr); // real playback, and no message box
        TestEnvironment::refuseMessageBoxes();
        ASSERT_FALSE(dealt.contains(QString()));
        const DecodersTakenOut takenOut(row.decodersTakenOut);
        ASSERT_EQ(takenOut.count(), row.decodersTakenOut.size());
        setSetting(RegistryModule::PlayEndMode, QStringLiteral("stop"));
        loadPlayerOver(folder.path());
        ASSERT_EQ(sys().TotalFiles, dealt.size());

        // Notes every track started and every time shown until the player stops by itself.
        QSet<QString> started, timesShown;
        const auto stopped = [&] {
            started << PlayController::instance().MusicFileName();
            timesShown << main->NowTimeLabel->text();
            return !PlayState::instance().trackOpen();
        };
        QStringList said;
        int open = 0, mostOpen = 0;
        platform::setMessageBoxHandler([&](QWidget *, const platform::MessageRequest &request) {
            said << request.title + request.text;
            mostOpen = std::max(mostOpen, ++open);
            // While the box waits for a click the player goes through the whole list.
            EXPECT_TRUE(QTest::qWaitFor(stopped, 30000));
            --open;
            return platform::MessageAnswer::Ok;
        });
        qputenv("LYRABOX_AUDIO_SINK", row.sink ? QByteArray(row.sink) : fakeSink);
        QTest::mouseClick(main->MusicPlay, Qt::LeftButton);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return stopped() && said.size() == row.said.size() && open == 0; }, 30000));
        qputenv("LYRABOX_AUDIO_SINK", fakeSink);
        // A lost output stops the player and keeps the track at the head of the list.
        const QString head = list->PlayList->at(0);
        EXPECT_EQ(started - QSet<QString>{QString()},
                  row.sink ? QSet<QString>{head} : QSet<QString>(dealt.begin(), dealt.end()));
        EXPECT_TRUE(row.sink || timesShown.contains(QStringLiteral("00:00:01")))
            << "the time moved during the long track";
        const QString total = QString::number(dealt.size());
        EXPECT_EQ(QStringList(
                      {main->StatusLabel->text(), main->FileStatusLabel->text(), main->NowTimeLabel->text()}),
                  QStringList({"Stop.", "Rest : " + (row.sink ? total : "0") + " / " + total + " Files",
                               "00:00:00"}));
        EXPECT_FALSE(main->MusicTimer->isActive());
        said.sort();
        ASSERT_EQ(said.size(), row.said.size());
        for (qsizetype i = 0; i < said.size(); ++i) {
            EXPECT_TRUE(said[i].startsWith("再生エラー" + row.said[i].section(u'|', 0, 0) + u' ') &&
                        said[i].contains(row.said[i].section(u'|', 1)))
                << said[i].toStdString();
        }
        EXPECT_LE(mostOpen, 1) << "no box over another";
        if (row.sink) {
            QTest::mouseClick(main->MusicPlay, Qt::LeftButton);
            EXPECT_EQ(PlayController::instance().MusicFileName() + u' ' + main->StatusLabel->text(),
                      head + " Play.");
        }
        FormRegistry::instance().unloadAll();
        TestEnvironment::refuseMessageBoxes();
    }
}
