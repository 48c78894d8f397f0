// The in-game piece: 144 beats a minute, 56 bars (about 93 seconds).
//   bars  0-3   intro: arpeggios over hats, a snare build
//   bars  4-19  A: the main motif and its answer, then both doubled an octave down
//   bars 20-35  B: the second theme twice, syncopated bass
//   bars 36-43  breakdown: half-time drums, long lead notes, rising build
//   bars 44-55  A again, closing with the turnaround into bar 0
#include <string>

#include "assetgen/music.h"
#include "assetgen/music_themes.h"

namespace {
const int LEAD = 0, PAD = 1, BASS = 2, ARP = 3, DOUBLE = 4;
const char* const MAIN_CHORDS[4] = {"Am", "F", "C", "G"};
const char* const SECOND_CHORDS[8] = {"Dm", "Am", "F", "E", "Dm", "Am", "Bb", "E"};
const char* const BREAK_CHORDS[4] = {"F", "G", "Em", "Am"};
const char* const TURN_CHORDS[4] = {"Am", "F", "Dm", "E"};

struct Parts {
    MidiTrack& lead;
    MidiTrack& harmony;
    MidiTrack& bass;
    MidiTrack& drums;
};

void setUp(MidiFile& file, Parts& p) {
    p.lead.program(LEAD, 81);      // sawtooth lead
    p.lead.program(DOUBLE, 80);    // square lead, the octave double
    p.harmony.program(PAD, 89);    // warm pad
    p.harmony.program(ARP, 84);    // charang, the arpeggio
    p.bass.program(BASS, 38);      // synth bass
    p.lead.controller(LEAD, 7, 100);
    p.lead.controller(DOUBLE, 7, 70);
    p.harmony.controller(PAD, 7, 72);
    p.harmony.controller(ARP, 7, 64);
    p.harmony.controller(ARP, 10, 40);
    p.bass.controller(BASS, 7, 104);
    p.drums.controller(DRUM_CHANNEL, 7, 110);
    p.lead.controller(LEAD, 91, 50);
    (void)file;
}

void intro(Arranger& a, Parts& p) {
    for (int b = 0; b < 4; ++b) {
        const char* chord = MAIN_CHORDS[b];
        a.pad(p.harmony, PAD, b, chord, 1, 56);
        a.arpeggio(p.harmony, ARP, b, chord, 70, true);
        a.longBass(p.bass, BASS, b, chord, 1, 96);
        a.drums(p.drums, b, b < 3 ? DrumStyle::HatsOnly : DrumStyle::Build);
    }
    a.crash(p.drums, 0);
}

void sectionA(Arranger& a, Parts& p, int start) {
    for (int b = 0; b < 16; ++b) {
        const char* chord = MAIN_CHORDS[b % 4];
        a.pad(p.harmony, PAD, start + b, chord, 1, 60);
        a.stabs(p.harmony, ARP, start + b, chord, 60);
        a.drivingBass(p.bass, BASS, start + b, chord, 96);
        if (b != 7 && b != 15) a.drums(p.drums, start + b, DrumStyle::Driving);
    }
    a.drumFill(p.drums, start + 7, false);
    a.drumFill(p.drums, start + 15, true);
    a.crash(p.drums, start);
    a.crash(p.drums, start + 8);
    a.melody(p.lead, LEAD, start, mainMotif());
    a.melody(p.lead, LEAD, start + 4, answerMotif());
    a.melody(p.lead, LEAD, start + 8, mainMotif(), 0, 6);
    a.melody(p.lead, DOUBLE, start + 8, mainMotif(), -12, -10);
    a.melody(p.lead, LEAD, start + 12, answerMotif(), 0, 6);
    a.melody(p.lead, DOUBLE, start + 12, answerMotif(), -12, -10);
}

void sectionB(Arranger& a, Parts& p, int start) {
    for (int b = 0; b < 16; ++b) {
        const char* chord = SECOND_CHORDS[b % 8];
        a.pad(p.harmony, PAD, start + b, chord, 1, 66);
        a.arpeggio(p.harmony, ARP, start + b, chord, 56, false);
        a.syncopatedBass(p.bass, BASS, start + b, chord, 98);
        if (b != 7 && b != 15) a.drums(p.drums, start + b, DrumStyle::Driving);
    }
    a.drumFill(p.drums, start + 7, false);
    a.drumFill(p.drums, start + 15, true);
    a.crash(p.drums, start);
    a.crash(p.drums, start + 8);
    a.melody(p.lead, LEAD, start, secondTheme());
    a.melody(p.lead, LEAD, start + 8, secondTheme(), 0, 8);
    a.melody(p.lead, DOUBLE, start + 8, secondTheme(), -12, -8);
}

void breakdown(Arranger& a, Parts& p, int start) {
    const int long_notes[8] = {72, 74, 71, 69, 76, 79, 83, 81};  // C5 D5 B4 A4, E5 G5 B5 A5
    for (int b = 0; b < 8; ++b) {
        const char* chord = BREAK_CHORDS[b % 4];
        a.pad(p.harmony, PAD, start + b, chord, 1, 70);
        a.arpeggio(p.harmony, ARP, start + b, chord, 66, true);
        a.longBass(p.bass, BASS, start + b, chord, 1, 100);
        if (b < 6) a.drums(p.drums, start + b, DrumStyle::HalfTime);
        a.melody(p.lead, LEAD, start + b, {{long_notes[b], 0, 3.5, 92 + b * 2}});
    }
    a.crash(p.drums, start);
    a.drums(p.drums, start + 6, DrumStyle::Build);
    a.drumFill(p.drums, start + 7, true);
}

void finale(Arranger& a, Parts& p, int start) {
    for (int b = 0; b < 12; ++b) {
        const char* chord = b < 8 ? MAIN_CHORDS[b % 4] : TURN_CHORDS[b % 4];
        a.pad(p.harmony, PAD, start + b, chord, 1, 62);
        a.stabs(p.harmony, ARP, start + b, chord, 62);
        a.drivingBass(p.bass, BASS, start + b, chord, 98);
        if (b != 7 && b != 11) a.drums(p.drums, start + b, DrumStyle::Driving);
    }
    a.crash(p.drums, start);
    a.crash(p.drums, start + 8);
    a.drumFill(p.drums, start + 7, false);
    a.drumFill(p.drums, start + 11, true);
    a.melody(p.lead, LEAD, start, mainMotif(), 0, 8);
    a.melody(p.lead, DOUBLE, start, mainMotif(), -12, -8);
    a.melody(p.lead, LEAD, start + 4, answerMotif(), 0, 8);
    a.melody(p.lead, DOUBLE, start + 4, answerMotif(), -12, -8);
    a.melody(p.lead, LEAD, start + 8, turnaround(), 0, 8);
    a.melody(p.lead, DOUBLE, start + 8, turnaround(), -12, -8);
}
}  // namespace

std::vector<uint8_t> composeMarathonMusic() {
    MidiFile file(480);
    Arranger a(file, 144);
    file.conductor().tempo(144);
    file.conductor().timeSignature(4, 2);
    Parts p{file.addTrack("Lead"), file.addTrack("Harmony"), file.addTrack("Bass"), file.addTrack("Drums")};
    setUp(file, p);
    intro(a, p);
    sectionA(a, p, 4);
    sectionB(a, p, 20);
    breakdown(a, p, 36);
    finale(a, p, 44);
    // The loop is exactly 56 bars: every track ends on that bar line.
    file.conductor().endAt(a.tickAt(56));
    return file.bytes();
}
