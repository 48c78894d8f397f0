// The two music pieces: well-formed format-1 files that Allegro loads, with
// melody, harmony, bass and drums, the right lengths, and a game piece that
// loops on a bar line with no note left hanging.
#include <allegro.h>
#include <gtest/gtest.h>

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
