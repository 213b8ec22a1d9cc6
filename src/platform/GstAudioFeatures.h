#pragma once

namespace platform {

// Whether an element of this class ("Codec/Decoder/Audio", as its metadata names it) can
// take part in playing an audio file: sources, type finding, demuxers, parsers, audio
// decoders, audio filters and sinks can; video, pictures, subtitles, encoders, muxers and
// the network cannot.
bool playsAudioFiles(const char *klass);

// Takes out of GStreamer's registry every element that cannot, every plug-in left without
// features and the device providers: a registry of every installed plug-in holds about
// three times as many, each parsed again by every new playbin when it looks for
// decoders. Type finders all stay, so what a file is is still found out.
void keepAudioFeaturesOnly();

} // namespace platform
