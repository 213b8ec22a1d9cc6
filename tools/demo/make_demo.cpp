// Writes the player's demo music: two short MIDI pieces and a synthesized WAV.
// Usage: make_demo <output-folder>
// Fixed formulas only, so repeated runs give the same files.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes &out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void putVarLen(Bytes &out, std::uint32_t v)
{
    Bytes groups{static_cast<std::uint8_t>(v & 0x7f)};
    while (v >>= 7) {
        groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (v & 0x7f)));
    }
    out.insert(out.end(), groups.begin(), groups.end());
}

struct Note {
    int start; // in eighth notes
    int length;
    int pitch;
    int channel;
};

// One track (format 0), 240 ticks a quarter note.
Bytes midiFile(const std::vector<Note> &notes, int tempoMicros, const std::vector<int> &programs)
{
    struct Event {
        int tick;
        Bytes data;
    };
    std::vector<Event> events;
    for (const Note &n : notes) {
        const auto ch = static_cast<std::uint8_t>(n.channel);
        const auto pitch = static_cast<std::uint8_t>(n.pitch);
        events.push_back({n.start * 120, {static_cast<std::uint8_t>(0x90 | ch), pitch, 84}});
        events.push_back({(n.start + n.length) * 120 - 10, {static_cast<std::uint8_t>(0x80 | ch), pitch, 0}});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event &a, const Event &b) { return a.tick < b.tick; });

    Bytes track{0x00,
                0xff,
                0x51,
                0x03,
                static_cast<std::uint8_t>(tempoMicros >> 16),
                static_cast<std::uint8_t>(tempoMicros >> 8),
                static_cast<std::uint8_t>(tempoMicros)};
    for (std::size_t ch = 0; ch < programs.size(); ++ch) {
        track.insert(track.end(),
                     {0x00, static_cast<std::uint8_t>(0xc0 | ch), static_cast<std::uint8_t>(programs[ch])});
    }
    int last = 0;
    for (const Event &e : events) {
        putVarLen(track, static_cast<std::uint32_t>(e.tick - last));
        track.insert(track.end(), e.data.begin(), e.data.end());
        last = e.tick;
    }
    track.insert(track.end(), {0x00, 0xff, 0x2f, 0x00});

    Bytes file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 240, 'M', 'T', 'r', 'k'};
    put32(file, static_cast<std::uint32_t>(track.size()));
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// A walking tune in C major over a I-vi-IV-V bass, twice.
std::vector<Note> morningWalk()
{
    const int melody[] = {64, 67, 72, 71, 69, 67, 64, 65, 67, 69, 71, 72, 74, 72, 71, 67,
                          69, 72, 76, 74, 72, 69, 67, 65, 64, 65, 67, 71, 74, 72, 72, 72};
    const int bass[] = {48, 45, 41, 43};
    std::vector<Note> notes;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 32; ++i) {
            notes.push_back({pass * 32 + i, 1, melody[i], 0});
        }
        for (int bar = 0; bar < 8; ++bar) {
            notes.push_back({pass * 32 + bar * 4, 4, bass[bar % 4], 1});
            notes.push_back({pass * 32 + bar * 4, 4, bass[bar % 4] + 7, 1});
        }
    }
    return notes;
}

// A slow waltz in A minor: melody in dotted halves and quarters, oom-pah-pah below.
std::vector<Note> eveningWaltz()
{
    const int melody[] = {69, 72, 76, 74, 72, 71, 72, 69, 67, 65, 64, 68, 69, 71, 72, 69};
    const int roots[] = {45, 40, 41, 40};
    std::vector<Note> notes;
    for (int bar = 0; bar < 16; ++bar) {
        const int at = bar * 6;
        notes.push_back({at, bar % 2 == 0 ? 4 : 6, melody[bar], 0});
        if (bar % 2 == 0) {
            notes.push_back({at + 4, 2, melody[bar] - 3, 0});
        }
        const int root = roots[(bar / 2) % 4];
        notes.push_back({at, 2, root, 1});
        notes.push_back({at + 2, 2, root + 12, 1});
        notes.push_back({at + 4, 2, root + 16, 1});
    }
    return notes;
}

void putLE(Bytes &out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

// Soft bell tones: a rising arpeggio, each note a few decaying partials.
Bytes chimeWav()
{
    constexpr int rate = 22050;
    constexpr double seconds = 7.0;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5, 783.99, 659.25, 587.33, 783.99, 1174.66, 1046.5};
    std::vector<double> mix(static_cast<std::size_t>(rate * seconds), 0.0);
    for (std::size_t n = 0; n < std::size(notes); ++n) {
        const std::size_t start = n * rate * 55 / 100;
        for (std::size_t i = 0; start + i < mix.size(); ++i) {
            const double t = double(i) / rate;
            const double w = 2 * std::numbers::pi * notes[n] * t;
            const double tone = std::sin(w) + 0.4 * std::sin(2.76 * w) * std::exp(-t * 3) +
                                0.2 * std::sin(5.4 * w) * std::exp(-t * 6);
            mix[start + i] += 0.22 * tone * std::exp(-t * 1.6) * std::min(1.0, t * 200);
        }
    }
    Bytes pcm;
    for (std::size_t i = 0; i < mix.size(); ++i) {
        const double fade = std::min(1.0, double(mix.size() - i) / (rate * 0.5));
        const double v = std::clamp(mix[i] * fade, -1.0, 1.0);
        putLE(pcm, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32000))), 2);
    }
    Bytes wav{'R', 'I', 'F', 'F'};
    putLE(wav, static_cast<std::uint32_t>(36 + pcm.size()), 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLE(wav, 16, 4);
    putLE(wav, 1, 2); // PCM
    putLE(wav, 1, 2); // mono
    putLE(wav, rate, 4);
    putLE(wav, rate * 2, 4);
    putLE(wav, 2, 2);
    putLE(wav, 16, 2);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    putLE(wav, static_cast<std::uint32_t>(pcm.size()), 4);
    wav.insert(wav.end(), pcm.begin(), pcm.end());
    return wav;
}

bool save(const std::string &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::cout << path << " (" << bytes.size() << " bytes)\n";
    return bool(out);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: make_demo <output-folder>\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    bool ok = save(folder + "Morning Walk.mid", midiFile(morningWalk(), 500000, {0, 32}));
    ok = save(folder + "Evening Waltz.mid", midiFile(eveningWaltz(), 400000, {46, 0})) && ok;
    ok = save(folder + "Glass Chimes.wav", chimeWav()) && ok;
    return ok ? 0 : 1;
}
