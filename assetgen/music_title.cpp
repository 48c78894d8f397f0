// The title piece: 112 beats a minute, 32 bars (about 69 seconds), played once.
//   bars  0-3   intro: strings and harp rising to the dominant
//   bars  4-11  the main motif and its answer on brass, marching drums
//   bars 12-19  a broader second melody over F-G-Em-Am
//   bars 20-27  the theme in full, doubled, driving drums
//   bars 28-31  cadence and a held final A minor chord
#include "assetgen/asset_output.h"
#include "assetgen/music.h"
#include "assetgen/music_themes.h"

namespace {
const int LEAD = 0, PAD = 1, BASS = 2, HARP = 3, DOUBLE = 4;
const char* const MAIN_CHORDS[4] = {"Am", "F", "C", "G"};
const char* const INTRO_CHORDS[4] = {"Am", "F", "C", "E"};
const char* const MIDDLE_CHORDS[8] = {"F", "G", "Em", "Am", "F", "G", "E", "E"};

std::vector<MelodyNote> middleMelody() {
    return {
        {69, 0, 1, 96},   {72, 1, 1, 98},    {77, 2, 1.5, 104}, {76, 3.5, 0.5, 92}, {74, 4, 1, 98},
        {71, 5, 1, 94},   {67, 6, 2, 96},    {71, 8, 1, 96},    {76, 9, 1, 100},    {79, 10, 1.5, 106},
        {76, 11.5, 0.5, 92}, {81, 12, 3.5, 110}, {84, 16, 1, 108}, {81, 17, 1, 102},  {77, 18, 1, 100},
        {72, 19, 1, 96},  {74, 20, 1, 98},   {79, 21, 1, 102},  {74, 22, 1, 96},    {79, 23, 1, 100},
        {80, 24, 2, 110}, {76, 26, 1, 100},  {71, 27, 1, 96},   {76, 28, 3.5, 104},
    };
}

std::vector<MelodyNote> cadenceMelody() {
    return {{81, 0, 1.5, 108}, {79, 1.5, 0.5, 98}, {77, 2, 1, 100}, {76, 3, 1, 98}, {74, 4, 1, 100},
            {76, 5, 0.5, 98},  {77, 5.5, 0.5, 100}, {79, 6, 1, 104}, {83, 7, 1, 108}, {81, 8, 7.5, 112}};
}
}  // namespace

std::vector<uint8_t> composeTitleMusic() {
    MidiFile file(480);
    Arranger a(file, 112);
    file.conductor().tempo(112);
    file.conductor().timeSignature(4, 2);
    MidiTrack& lead = file.addTrack("Brass");
    MidiTrack& harmony = file.addTrack("Strings and harp");
    MidiTrack& bass = file.addTrack("Bass");
    MidiTrack& drums = file.addTrack("Drums");
    lead.program(LEAD, 61);     // brass section
    lead.program(DOUBLE, 60);   // French horns
    harmony.program(PAD, 48);   // string ensemble
    harmony.program(HARP, 46);  // harp
    bass.program(BASS, 38);     // synth bass
    lead.controller(LEAD, 7, 104);
    lead.controller(DOUBLE, 7, 76);
    harmony.controller(PAD, 7, 84);
    harmony.controller(HARP, 7, 76);
    bass.controller(BASS, 7, 100);
    drums.controller(DRUM_CHANNEL, 7, 100);
    lead.controller(LEAD, 91, 70);
    harmony.controller(PAD, 91, 80);

    for (int b = 0; b < 4; ++b) {
        a.pad(harmony, PAD, b, INTRO_CHORDS[b], 1, 50 + b * 8);
        a.arpeggio(harmony, HARP, b, INTRO_CHORDS[b], 64, false);
        a.longBass(bass, BASS, b, INTRO_CHORDS[b], 1, 80 + b * 5);
    }
    a.drums(drums, 3, DrumStyle::Build);
    for (int b = 4; b < 12; ++b) {
        const char* chord = MAIN_CHORDS[b % 4];
        a.pad(harmony, PAD, b, chord, 1, 70);
        a.arpeggio(harmony, HARP, b, chord, 60, false);
        a.syncopatedBass(bass, BASS, b, chord, 94);
        if (b != 11) a.drums(drums, b, DrumStyle::March);
    }
    a.crash(drums, 4);
    a.drumFill(drums, 11, false);
    a.melody(lead, LEAD, 4, mainMotif());
    a.melody(lead, LEAD, 8, answerMotif());
    for (int b = 12; b < 20; ++b) {
        const char* chord = MIDDLE_CHORDS[b - 12];
        a.pad(harmony, PAD, b, chord, 1, 76);
        a.arpeggio(harmony, HARP, b, chord, 62, true);
        a.longBass(bass, BASS, b, chord, 1, 96);
        if (b != 19) a.drums(drums, b, DrumStyle::HalfTime);
    }
    a.crash(drums, 12);
    a.drumFill(drums, 19, true);
    a.melody(lead, LEAD, 12, middleMelody());
    for (int b = 20; b < 28; ++b) {
        const char* chord = MAIN_CHORDS[b % 4];
        a.pad(harmony, PAD, b, chord, 1, 76);
        a.stabs(harmony, HARP, b, chord, 64);
        a.drivingBass(bass, BASS, b, chord, 98);
        if (b != 27) a.drums(drums, b, DrumStyle::Driving);
    }
    a.crash(drums, 20);
    a.crash(drums, 24);
    a.drumFill(drums, 27, true);
    a.melody(lead, LEAD, 20, mainMotif(), 0, 8);
    a.melody(lead, DOUBLE, 20, mainMotif(), -12, -6);
    a.melody(lead, LEAD, 24, answerMotif(), 0, 8);
    a.melody(lead, DOUBLE, 24, answerMotif(), -12, -6);
    // Cadence: F, G, then A minor held for two bars under a last crash.
    a.pad(harmony, PAD, 28, "F", 1, 80);
    a.pad(harmony, PAD, 29, "G", 1, 84);
    a.pad(harmony, PAD, 30, "Am", 2, 88);
    a.longBass(bass, BASS, 28, "F", 1, 100);
    a.longBass(bass, BASS, 29, "G", 1, 100);
    a.longBass(bass, BASS, 30, "Am", 2, 104);
    a.arpeggio(harmony, HARP, 28, "F", 66, true);
    a.arpeggio(harmony, HARP, 29, "G", 70, true);
    a.drums(drums, 28, DrumStyle::March);
    a.drumFill(drums, 29, true);
    a.crash(drums, 30);
    a.melody(lead, LEAD, 28, cadenceMelody(), 0, 6);
    a.melody(lead, DOUBLE, 28, cadenceMelody(), -12, -6);
    file.conductor().endAt(a.tickAt(32));
    return file.bytes();
}

void makeMusic(AssetOutput& out) {
    out.saveBytes("music/title.mid", composeTitleMusic());
    out.saveBytes("music/marathon.mid", composeMarathonMusic());
}
