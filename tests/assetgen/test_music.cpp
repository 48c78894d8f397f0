// The two music pieces: well-formed format-1 files that Allegro loads, with
// melody, harmony, bass and drums, the right lengths, and a game piece that
// loops on a bar line with no note left hanging.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "audio/sound_bank.h"
#include "midi_reader.h"

namespace {
MidiSummary summaryOf(const std::string& path) {
    MidiSummary s;
    EXPECT_TRUE(readMidi(path, s)) << path << " is missing or malformed";
    return s;
}
}  // namespace

TEST(Music, BothPiecesAreFullArrangementsThatAllegroLoads) {
    for (const char* path : {"music/title.mid", "music/marathon.mid"}) {
        MidiSummary s = summaryOf(path);
        EXPECT_EQ(s.format, 1) << path;
        EXPECT_GE(s.track_count, 4) << path;
        EXPECT_EQ(int(s.track_ends.size()), s.track_count) << path;
        EXPECT_GE(s.notes_per_channel.size(), 4u) << path << " needs melody, harmony, bass and drums";
        EXPECT_GT(s.notes_per_channel[9], 100) << path << " has no drum part on channel 10";
        int pitched_parts = 0;
        for (const auto& kv : s.notes_per_channel)
            if (kv.first != 9 && kv.second >= 20) ++pitched_parts;
        EXPECT_GE(pitched_parts, 3) << path;
        // Every pitched channel picks its instrument.
        for (const auto& kv : s.notes_per_channel)
            if (kv.first != 9) {
                EXPECT_TRUE(s.programs.count(kv.first)) << path << " channel " << kv.first;
            }
        EXPECT_EQ(s.unmatched_notes, 0) << path << " leaves notes hanging";
        // The software synthesiser drops notes beyond the voices the game reserves for it.
        EXPECT_LE(s.mostNotesAtOnce(), SoundBank::MUSIC_VOICES) << path;
        EXPECT_GE(s.mostNotesAtOnce(), 4) << path;
        MIDI* midi = load_midi(path);
        ASSERT_NE(midi, nullptr) << path;
        destroy_midi(midi);
    }
}

TEST(Music, PiecesLastAsLongAsTheirScreensNeed) {
    MidiSummary title = summaryOf("music/title.mid");
    double title_seconds = title.secondsAt(title.endTick());
    EXPECT_GE(title_seconds, 60.0);
    EXPECT_LE(title_seconds, 120.0);
    MidiSummary game = summaryOf("music/marathon.mid");
    EXPECT_GE(game.secondsAt(game.endTick()), 90.0);
}

TEST(Music, GamePieceLoopsOnABarLine) {
    MidiSummary s = summaryOf("music/marathon.mid");
    ASSERT_FALSE(s.track_ends.empty());
    for (long end : s.track_ends) EXPECT_EQ(end, s.endTick()) << "tracks end at different times";
    long bar = long(s.ticks_per_beat) * s.time_signature_numerator;
    EXPECT_EQ(s.endTick() % bar, 0) << "the loop does not end on a bar line";
    EXPECT_EQ(s.first_note_tick, 0) << "silence at the loop start";
    EXPECT_LE(s.last_note_off_tick, s.endTick());
    EXPECT_LE(s.tempo_changes.size(), 1u) << "the loop would jump in tempo";
}

TEST(Music, GamePieceSharesNoEightBarsOfTopLineWithTheTitle) {
    auto game = topLineBars(summaryOf("music/marathon.mid")), title = topLineBars(summaryOf("music/title.mid"));
    // Eight bars of top line, in any key: onsets in sixteenths and pitches above the first note.
    auto stretch = [](const std::vector<std::vector<std::pair<int, int>>>& bars, size_t first) {
        std::vector<std::pair<int, int>> line;
        for (size_t b = first; b < first + 8; ++b)
            for (auto note : bars[b]) line.push_back({int(b - first) * 16 + note.first, note.second});
        for (size_t i = line.size(); i-- > 0;) line[i].second -= line[0].second;
        return line;
    };
    ASSERT_GE(game.size(), 8u);
    ASSERT_GE(title.size(), 8u);
    for (size_t g = 0; g + 8 <= game.size(); ++g)
        for (size_t t = 0; t + 8 <= title.size(); ++t) {
            auto line = stretch(game, g);
            EXPECT_FALSE(line.size() >= 8 && line == stretch(title, t)) << "game bars " << g << "-" << g + 7
                                                                       << " are title bars " << t << "-" << t + 7;
        }
}

TEST(Music, EveryInstrumentAndDrumIsInThePatchSet) {
    if (!std::ifstream("patches/default.cfg")) GTEST_SKIP() << "no patch set in the run folder";
    for (const char* path : {"music/title.mid", "music/marathon.mid"}) {
        MidiSummary s = summaryOf(path);
        char name[32];
        for (int program : s.programs_used) {
            std::snprintf(name, sizeof name, "patches/m%03d.pat", program);
            EXPECT_TRUE(std::ifstream(name).good()) << path << " program " << program << " has only a substitute";
        }
        for (int note : s.drum_notes) {
            std::snprintf(name, sizeof name, "patches/d%03d.pat", note);
            EXPECT_TRUE(std::ifstream(name).good()) << path << " drum " << note << " is missing";
        }
    }
}
