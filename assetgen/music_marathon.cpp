// The in-game piece, a theme of its own in E minor: 144 beats a minute,
// 56 bars (about 93 seconds). It loops from its first bar, so it opens at
// full strength and ends on the dominant with a fill that leads back in.
//   bars  0-15  A: the square-wave lead over Em-D-C-B, stated twice
//   bars 16-31  B: the overdriven guitar takes a broad tune in G major
//   bars 32-39  build: half-time drums, a rising lead, a snare build
//   bars 40-55  A with both leads together, ending on B for the loop
#include <string>

#include "assetgen/music.h"
#include "assetgen/music_arranger.h"

namespace {
const int LEAD = 0, PAD = 1, BASS = 2, ARP = 3, GUITAR = 4;
const char* const A_CHORDS[4] = {"Em", "D", "C", "B"};
const char* const B_CHORDS[8] = {"C", "G", "D", "Em", "C", "G", "Am", "B"};
const char* const BUILD_CHORDS[8] = {"Am", "Am", "C", "C", "D", "D", "B", "B"};

// Note names used below: A4 = 69.
const int A4 = 69, B4 = 71, C5 = 72, D5 = 74, DS5 = 75, E5 = 76, FS5 = 78, G5 = 79, A5 = 81, B5 = 83;

// Four bars over Em | D | C | B: a restless, syncopated call.
const std::vector<MelodyNote> CALL = {
    {E5, 0, 0.5, 100},   {E5, 0.5, 0.5, 88},  {B4, 1, 0.5, 92},   {E5, 1.5, 1, 104},   {G5, 2.5, 0.5, 100},
    {FS5, 3, 0.5, 94},   {E5, 3.5, 0.5, 92},  {D5, 4, 1.5, 104},  {A4, 5.5, 0.5, 88},  {D5, 6, 0.5, 94},
    {FS5, 6.5, 1, 102},  {A5, 7.5, 0.5, 100}, {G5, 8, 1, 106},    {E5, 9, 0.5, 94},    {C5, 9.5, 1, 98},
    {E5, 10.5, 0.5, 92}, {G5, 11, 0.5, 98},   {E5, 11.5, 0.5, 92}, {FS5, 12, 1.5, 106}, {DS5, 13.5, 0.5, 94},
    {B4, 14, 2, 100},
};

// Four bars over Em | D | C | B, climbing to the top B.
const std::vector<MelodyNote> ANSWER = {
    {B5, 0, 1, 110},     {A5, 1, 0.5, 98},    {G5, 1.5, 0.5, 96},  {FS5, 2, 0.5, 94},  {G5, 2.5, 1, 102},
    {E5, 3.5, 0.5, 92},  {FS5, 4, 1, 104},    {D5, 5, 0.5, 94},    {A4, 5.5, 0.5, 90}, {D5, 6, 1, 98},
    {E5, 7, 0.5, 94},    {FS5, 7.5, 0.5, 98}, {G5, 8, 1.5, 106},   {A5, 9.5, 0.5, 100}, {G5, 10, 0.5, 96},
    {E5, 10.5, 0.5, 94}, {C5, 11, 1, 98},     {B4, 12, 0.5, 96},   {DS5, 12.5, 0.5, 100}, {FS5, 13, 0.5, 104},
    {A5, 13.5, 0.5, 106}, {B5, 14, 1.5, 112},
};

// The call again, turning upwards in its last two bars.
const std::vector<MelodyNote> CALL_AGAIN = {
    {E5, 0, 0.5, 100},  {E5, 0.5, 0.5, 88},  {B4, 1, 0.5, 92},   {E5, 1.5, 1, 104},  {G5, 2.5, 0.5, 100},
    {FS5, 3, 0.5, 94},  {E5, 3.5, 0.5, 92},  {D5, 4, 1.5, 104},  {A4, 5.5, 0.5, 88}, {D5, 6, 0.5, 94},
    {FS5, 6.5, 1, 102}, {A5, 7.5, 0.5, 100}, {C5, 8, 0.5, 96},   {E5, 8.5, 0.5, 98}, {G5, 9, 0.5, 102},
    {A5, 9.5, 1, 106},  {G5, 10.5, 0.5, 96}, {E5, 11, 1, 98},    {DS5, 12, 0.5, 98}, {FS5, 12.5, 0.5, 102},
    {B5, 13, 1.5, 110}, {A5, 14.5, 0.5, 100}, {FS5, 15, 1, 100},
};

// The answer again, falling back onto the dominant.
const std::vector<MelodyNote> ANSWER_AGAIN = {
    {G5, 0, 1.5, 106},   {FS5, 1.5, 0.5, 96}, {E5, 2, 1, 98},     {B4, 3, 1, 92},      {A5, 4, 1, 106},
    {FS5, 5, 0.5, 96},   {D5, 5.5, 0.5, 94},  {A4, 6, 1, 92},     {D5, 7, 1, 98},      {E5, 8, 0.5, 96},
    {G5, 8.5, 0.5, 98},  {C5, 9, 1, 96},      {E5, 10, 0.5, 98},  {G5, 10.5, 0.5, 102}, {A5, 11, 1, 106},
    {B5, 12, 1, 110},    {A5, 13, 0.5, 100},  {FS5, 13.5, 0.5, 98}, {DS5, 14, 1, 102}, {B4, 15, 1, 96},
};

// Eight bars over C | G | D | Em | C | G | Am | B: long notes that sing.
const std::vector<MelodyNote> BROAD = {
    {E5, 0, 1.5, 102},   {G5, 1.5, 0.5, 96},  {E5, 2, 1, 98},     {D5, 3, 1, 94},     {D5, 4, 2, 100},
    {B4, 6, 1, 92},      {D5, 7, 1, 96},      {FS5, 8, 1.5, 104}, {A5, 9.5, 0.5, 100}, {FS5, 10, 1, 98},
    {E5, 11, 0.5, 94},   {D5, 11.5, 0.5, 92}, {E5, 12, 3, 104},   {B4, 15, 1, 90},    {C5, 16, 1, 96},
    {E5, 17, 1, 100},    {G5, 18, 1.5, 106},  {A5, 19.5, 0.5, 102}, {B5, 20, 2, 112},  {A5, 22, 0.5, 100},
    {G5, 22.5, 0.5, 98}, {D5, 23, 1, 96},     {E5, 24, 1.5, 104}, {C5, 25.5, 0.5, 94}, {A4, 26, 1, 96},
    {C5, 27, 0.5, 98},   {E5, 27.5, 0.5, 100}, {DS5, 28, 2, 108}, {FS5, 30, 1, 104},  {B4, 31, 1, 98},
};

// The broad tune's second eight bars, reaching higher.
const std::vector<MelodyNote> BROAD_AGAIN = {
    {G5, 0, 1, 104},     {E5, 1, 1, 98},      {C5, 2, 1.5, 96},    {E5, 3.5, 0.5, 94},  {D5, 4, 1, 98},
    {G5, 5, 1, 102},     {B5, 6, 2, 110},     {A5, 8, 1.5, 106},   {FS5, 9.5, 0.5, 98}, {D5, 10, 1, 96},
    {FS5, 11, 1, 100},   {G5, 12, 1, 104},    {FS5, 13, 0.5, 98},  {E5, 13.5, 0.5, 96}, {B4, 14, 2, 94},
    {C5, 16, 0.5, 96},   {E5, 16.5, 0.5, 98}, {G5, 17, 1, 104},    {C5, 18, 1, 96},     {E5, 19, 1, 100},
    {D5, 20, 1.5, 100},  {B4, 21.5, 0.5, 94}, {G5, 22, 2, 106},    {A5, 24, 1, 108},    {G5, 25, 0.5, 100},
    {E5, 25.5, 0.5, 98}, {C5, 26, 1, 96},     {E5, 27, 1, 100},    {FS5, 28, 1, 104},   {DS5, 29, 1, 100},
    {B4, 30, 0.5, 96},   {DS5, 30.5, 0.5, 100}, {FS5, 31, 1, 106},
};

struct Band {
    MidiTrack& lead;
    MidiTrack& harmony;
    MidiTrack& bass;
    MidiTrack& drums;
};

void setUp(Band& p) {
    p.lead.program(LEAD, 80);     // square wave
    p.lead.program(GUITAR, 29);   // overdriven guitar, the second lead
    p.harmony.program(PAD, 95);   // sweep pad
    p.harmony.program(ARP, 5);    // chorused electric piano, the arpeggio
    p.bass.program(BASS, 38);     // synth bass
    p.lead.controller(LEAD, 7, 100);
    p.lead.controller(GUITAR, 7, 96);
    p.harmony.controller(PAD, 7, 70);
    p.harmony.controller(ARP, 7, 70);
    p.harmony.controller(ARP, 10, 40);
    p.bass.controller(BASS, 7, 104);
    p.drums.controller(DRUM_CHANNEL, 7, 110);
    p.lead.controller(LEAD, 91, 50);
    p.lead.controller(GUITAR, 91, 40);
}

// The band under a section: pad, pulse, bass and drums, a fill every eighth bar.
void backing(Arranger& a, Band& p, int start, int bars, const char* const* chords, int chord_count, bool syncopated) {
    for (int b = 0; b < bars; ++b) {
        const char* chord = chords[b % chord_count];
        a.pad(p.harmony, PAD, start + b, chord, 1, 64);
        if (syncopated) {
            a.arpeggio(p.harmony, ARP, start + b, chord, 60, false);
            a.syncopatedBass(p.bass, BASS, start + b, chord, 100);
        } else {
            a.stabs(p.harmony, ARP, start + b, chord, 66);
            a.drivingBass(p.bass, BASS, start + b, chord, 98);
        }
        if (b % 8 == 7) a.drumFill(p.drums, start + b, b == bars - 1);
        else a.drums(p.drums, start + b, DrumStyle::Driving);
        if (b % 8 == 0) a.crash(p.drums, start + b);
    }
}

void build(Arranger& a, Band& p, int start) {
    // The lead climbs through the chords in octave-leaping eighths, louder as it goes.
    const int tops[8] = {A4, C5, E5, G5, FS5, A5, B5, DS5 + 12};
    for (int b = 0; b < 8; ++b) {
        const char* chord = BUILD_CHORDS[b];
        a.pad(p.harmony, PAD, start + b, chord, 1, 70 + b * 3);
        a.arpeggio(p.harmony, ARP, start + b, chord, 62 + b * 3, true);
        a.drivingBass(p.bass, BASS, start + b, chord, 94 + b);
        std::vector<MelodyNote> pulse;
        for (int e = 0; e < 8; ++e) pulse.push_back({tops[b] - (e % 2 == 0 ? 12 : 0), e * 0.5, 0.5, 84 + b * 3});
        a.melody(p.lead, LEAD, start + b, pulse);
        if (b < 4) a.drums(p.drums, start + b, DrumStyle::HalfTime);
        else if (b < 6) a.drums(p.drums, start + b, DrumStyle::Driving);
    }
    a.crash(p.drums, start);
    a.drums(p.drums, start + 6, DrumStyle::Build);
    a.drumFill(p.drums, start + 7, true);
}
}  // namespace

std::vector<uint8_t> composeMarathonMusic() {
    MidiFile file(480);
    Arranger a(file, 144);
    file.conductor().tempo(144);
    file.conductor().timeSignature(4, 2);
    Band p{file.addTrack("Lead"), file.addTrack("Harmony"), file.addTrack("Bass"), file.addTrack("Drums")};
    setUp(p);
    backing(a, p, 0, 16, A_CHORDS, 4, false);
    a.melody(p.lead, LEAD, 0, CALL);
    a.melody(p.lead, LEAD, 4, ANSWER);
    a.melody(p.lead, LEAD, 8, CALL_AGAIN, 0, 6);
    a.melody(p.lead, LEAD, 12, ANSWER_AGAIN, 0, 6);
    backing(a, p, 16, 16, B_CHORDS, 8, true);
    a.melody(p.lead, GUITAR, 16, BROAD, -12, 4);
    a.melody(p.lead, GUITAR, 24, BROAD_AGAIN, -12, 8);
    a.melody(p.lead, LEAD, 24, BROAD_AGAIN, 0, -14);
    build(a, p, 32);
    backing(a, p, 40, 16, A_CHORDS, 4, false);
    const std::vector<MelodyNote>* finale[4] = {&CALL, &ANSWER, &CALL_AGAIN, &ANSWER_AGAIN};
    for (int k = 0; k < 4; ++k) {
        a.melody(p.lead, LEAD, 40 + k * 4, *finale[k], 0, 8);
        a.melody(p.lead, GUITAR, 40 + k * 4, *finale[k], -12, 0);
    }
    // The loop is exactly 56 bars: every track ends on that bar line.
    file.conductor().endAt(a.tickAt(56));
    return file.bytes();
}
