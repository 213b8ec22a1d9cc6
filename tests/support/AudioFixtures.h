#pragma once

#include <QByteArray>
#include <QString>

// Short audio files for tests, generated on the spot.
namespace AudioFixtures {

// Tags written into a tone by its encoder or muxer; a cover is a JPEG or PNG file's bytes.
struct ToneTags {
    QString title;
    QString artist;
    QString album;
    int trackNumber = 0;
    QByteArray cover;
};

// Writes about ms milliseconds of a 440 Hz tone (MIDI: one held note) to dir/fileName,
// in the format its extension names: wav, mp3 (VBR with a Xing header), wma, mid, midi,
// rmi, aif, aiff, aifc, au, snd, flac, ogg, oga, opus, m4a, aac. Returns the full path,
// or an empty string on failure. Encoded formats take the tone's volume (a sine's peak,
// 1.0 full scale) and tags as taginject writes them ("replaygain-track-gain=3.5"); mp3
// (ID3v2), flac, ogg, oga and opus (Vorbis comments) also take `written` tags.
QString makeTone(const QString &dir, const QString &fileName, int ms, double volume = 0.3,
                 const QByteArray &tags = {}, const ToneTags *written = nullptr);

// A constant-bitrate MP3 without a Xing header: its stream reports no length while paused.
QString makeMp3WithoutXing(const QString &dir, const QString &fileName, int ms);

// Any other file (a text file named .mp3, a play list); returns the full path or empty.
QString writeFile(const QString &dir, const QString &fileName, const QByteArray &content);

} // namespace AudioFixtures
