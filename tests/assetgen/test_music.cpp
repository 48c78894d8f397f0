// The two music pieces as the game plays them, read apart from the generator's writer: full
// arrangements within the music voices, long enough, a game piece that loops cleanly, every instrument at hand.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <utility>

#include "audio/sound_bank.h"
#include "picture.h"

namespace {
struct Midi {
    int ticks_per_beat = 1, beats_per_bar = 4, tempos = 0;
    long us_per_beat = 500000;
    std::set<long> track_ends;
    std::map<int, int> notes;              // channel (9: drums) -> note-ons
    std::set<int> programmed, programs, drum_notes;  // channels that pick an instrument; the instruments
    std::map<long, int> sounding_changes;  // tick -> notes started minus notes ended; the first is the first note

    long end() const { return track_ends.empty() ? 0 : *track_ends.rbegin(); }
    double seconds() const { return double(end()) * us_per_beat / 1e6 / ticks_per_beat; }  // at one tempo
};

bool readTrack(const uint8_t* p, const uint8_t* end, Midi& m) {
    long tick = 0;
    uint8_t status = 0;
    std::map<int, int> sounding;  // channel * 128 + pitch -> count
    auto number = [&](long& out) {
        for (out = 0; p < end;)
            if (out = (out << 7) | (*p & 0x7F), !(*p++ & 0x80)) return true;
        return false;
    };
    for (long delta, len; number(delta) && end - p >= 2;) {
        tick += delta;
        if (*p == 0xFF || *p == 0xF0 || *p == 0xF7) {
            int type = *p == 0xFF ? p[1] : -1;
            p += type < 0 ? 1 : 2;
            if (!number(len) || end - p < len) return false;
            if (type == 0x51 && len == 3) m.us_per_beat = (p[0] << 16) | (p[1] << 8) | p[2], ++m.tempos;
            if (type == 0x58) m.beats_per_bar = p[0];
            p += len;
            if (type == 0x2F) return m.track_ends.insert(tick), true;
            continue;
        }
        if (*p & 0x80) status = *p++;
        int kind = status & 0xF0, channel = status & 0x0F, size = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        if (!status || end - p < size) return false;
        int key = p[0], velocity = size == 2 ? p[1] : 0;
        p += size;
        if (kind == 0x90 && velocity > 0) {
            ++m.notes[channel], ++sounding[channel * 128 + key], ++m.sounding_changes[tick];
            if (channel == 9) m.drum_notes.insert(key);
        } else if (kind == 0x80 || kind == 0x90) {
            if (sounding[channel * 128 + key] > 0) --sounding[channel * 128 + key], --m.sounding_changes[tick];
        } else if (kind == 0xC0) {
            m.programmed.insert(channel), m.programs.insert(key);
        }
    }
    return false;  // no end-of-track event
}

// Allegro's loader splits the tracks; their events are read here.
Midi midiOf(const std::string& path) {
    Midi m;
    MIDI* midi = load_midi(path.c_str());
    bool ok = midi && midi->divisions > 0;
    for (int t = 0; ok && t < MIDI_TRACKS; ++t)
        if (midi->track[t].data) ok = readTrack(midi->track[t].data, midi->track[t].data + midi->track[t].len, m);
    EXPECT_TRUE(ok) << path << " is missing or malformed";
    m.ticks_per_beat = ok ? midi->divisions : 1;
    destroy_midi(midi);
    return m;
}

const struct { const char* path; double shortest, longest; bool loops; } PIECES[] = {  // seconds; the game's loops
    {"music/title.mid", 60, 120, false}, {"music/marathon.mid", 90, 1e9, true}};
}  // namespace

TEST(Music, PiecesAreFullArrangementsWithinTheMusicVoicesLongEnoughAndLoopOnABarLine) {
    for (const auto& [path, shortest, longest, loops] : PIECES) {
        Midi m = midiOf(path);
        EXPECT_EQ(contentsOf(path).substr(8, 2), std::string("\0\1", 2)) << path << " is no format-1 file";
        EXPECT_GT(m.notes[9], 100) << path << " has no drum part on channel 10";
        int pitched_parts = 0, sounding = 0, most = 0;
        for (const auto& kv : m.notes) {
            pitched_parts += kv.first != 9 && kv.second >= 20;
            EXPECT_TRUE(kv.first == 9 || m.programmed.count(kv.first))
                << path << " channel " << kv.first << " picks no instrument";
        }
        EXPECT_GE(pitched_parts, 3) << path << " needs melody, harmony and bass";
        // The software synthesiser drops notes beyond the voices the game reserves for it.
        for (const auto& change : m.sounding_changes) most = std::max(most, sounding += change.second);
        EXPECT_TRUE(most >= 4 && most <= SoundBank::MUSIC_VOICES) << path << ": " << most << " notes at once";
        EXPECT_EQ(sounding, 0) << path << " leaves notes hanging";
        EXPECT_EQ(m.tempos, 1) << path << ": one tempo keeps the loop smooth and the length right";
        EXPECT_TRUE(m.seconds() >= shortest && m.seconds() <= longest) << path << " lasts " << m.seconds() << " s";
        if (!loops) continue;
        EXPECT_EQ(m.track_ends.size(), 1u) << path << ": tracks end at different times";
        EXPECT_EQ(m.end() % (long(m.ticks_per_beat) * m.beats_per_bar), 0) << path << " does not end on a bar line";
        EXPECT_TRUE(!m.sounding_changes.empty() && m.sounding_changes.begin()->first == 0) << path << " starts silent";
    }
}

TEST(Music, EveryInstrumentAndDrumIsInThePatchSet) {
    if (access("default.cfg", R_OK) != 0) GTEST_SKIP() << "no patch set in the run folder";
    char name[32];
    for (const auto& piece : PIECES) {
        Midi m = midiOf(piece.path);
        const std::pair<char, std::set<int>*> patch_sets[] = {{'m', &m.programs}, {'d', &m.drum_notes}};
        for (const auto& [kind, numbers] : patch_sets)
            for (int patch : *numbers)
                EXPECT_EQ(access((std::snprintf(name, sizeof name, "patches/%c%03d.pat", kind, patch), name), R_OK), 0)
                    << piece.path << " needs " << name;
    }
}
