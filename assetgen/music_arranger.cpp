#include "assetgen/music_arranger.h"

#include <cmath>
#include <cstdlib>

Arranger::Arranger(MidiFile& midi, double beats_per_minute)
    : bpm(beats_per_minute), ppq(midi.ticksPerBeat()) {}

long Arranger::tickAt(double bar, double beat) const { return std::lround((bar * 4 + beat) * ppq); }

std::vector<int> Arranger::chordTones(const std::string& name, int root_octave_note) {
    static const int letter_steps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int pc = letter_steps[name[0] - 'A'];
    size_t i = 1;
    if (i < name.size() && name[i] == 'b') --pc, ++i;
    if (i < name.size() && name[i] == '#') ++pc, ++i;
    bool minor = i < name.size() && name[i] == 'm';
    if (minor) ++i;
    bool seventh = i < name.size() && name[i] == '7';
    pc = (pc + 12) % 12;
    // The root in the octave that starts at root_octave_note.
    int root = root_octave_note + ((pc - root_octave_note % 12) + 12) % 12;
    std::vector<int> tones = {root, root + (minor ? 3 : 4), root + 7};
    if (seventh) tones.push_back(root + 10);
    return tones;
}

void Arranger::pad(MidiTrack& track, int channel, int bar, const std::string& chord, int bars, int velocity) {
    // Close voicing kept between G3 and F4 so chord changes move smoothly.
    for (int p : chordTones(chord, 55)) {
        int pitch = p > 65 ? p - 12 : p;
        track.note(channel, pitch, tickAt(bar), tickAt(bars) - ppq / 8, velocity);
    }
}

void Arranger::drivingBass(MidiTrack& track, int channel, int bar, const std::string& chord, int velocity) {
    int root = chordTones(chord, 28)[0];  // E1..D#2
    if (root < 33) root += 12;
    const int octave[8] = {0, 0, 12, 0, 0, 12, 0, 12};
    for (int e = 0; e < 8; ++e) {
        int accent = e % 2 == 0 ? 10 : 0;
        track.note(channel, root + octave[e], tickAt(bar, e * 0.5), ppq / 2 - ppq / 10, velocity + accent);
    }
}

void Arranger::syncopatedBass(MidiTrack& track, int channel, int bar, const std::string& chord, int velocity) {
    std::vector<int> t = chordTones(chord, 28);
    int root = t[0] < 33 ? t[0] + 12 : t[0];
    int fifth = root + 7;
    const double beats[6] = {0, 0.75, 1.5, 2, 2.75, 3.5};
    const int pitches[6] = {root, root, fifth, root + 12, root, fifth};
    const double lengths[6] = {0.6, 0.6, 0.4, 0.6, 0.6, 0.4};
    for (int i = 0; i < 6; ++i)
        track.note(channel, pitches[i], tickAt(bar, beats[i]), long(lengths[i] * ppq), velocity + (i % 3 == 0 ? 10 : 0));
}

void Arranger::longBass(MidiTrack& track, int channel, int bar, const std::string& chord, int bars, int velocity) {
    int root = chordTones(chord, 28)[0];
    if (root < 33) root += 12;
    track.note(channel, root, tickAt(bar), tickAt(bars) - ppq / 4, velocity);
}

void Arranger::arpeggio(MidiTrack& track, int channel, int bar, const std::string& chord, int velocity,
                        bool sixteenths) {
    std::vector<int> t = chordTones(chord, 60);
    const int order[8] = {0, 1, 2, 3, 2, 1, 0, 3};
    int steps = sixteenths ? 16 : 8;
    double step = 4.0 / steps;
    for (int s = 0; s < steps; ++s) {
        int k = order[s % 8];
        int pitch = k == 3 ? t[0] + 12 : t[k];
        track.note(channel, pitch, tickAt(bar, s * step), long(step * ppq * 0.8), velocity + (s % 4 == 0 ? 8 : 0));
    }
}

void Arranger::stabs(MidiTrack& track, int channel, int bar, const std::string& chord, int velocity) {
    // Off-beat chord hits, the pulse under the lead.
    std::vector<int> t = chordTones(chord, 60);
    for (double beat : {0.5, 1.5, 2.5, 3.5})
        for (int p : t) track.note(channel, p, tickAt(bar, beat), ppq / 4, velocity);
}

void Arranger::melody(MidiTrack& track, int channel, int bar, const std::vector<MelodyNote>& notes, int transpose,
                      int velocity_shift) {
    for (const MelodyNote& n : notes) {
        if (n.pitch <= 0) continue;
        long length = long(n.length * ppq) - ppq / 16;
        track.note(channel, n.pitch + transpose, tickAt(bar, n.beat), length, n.velocity + velocity_shift);
    }
}

void Arranger::hit(MidiTrack& track, int drum, int bar, double beat, int velocity) {
    track.note(DRUM_CHANNEL, drum, tickAt(bar, beat), ppq / 8, velocity);
}

void Arranger::drums(MidiTrack& track, int bar, DrumStyle style) {
    switch (style) {
        case DrumStyle::Driving:
            for (double b : {0.0, 1.5, 2.0, 3.25}) hit(track, gm::KICK, bar, b, b == 0 ? 118 : 100);
            for (double b : {1.0, 3.0}) hit(track, gm::SNARE, bar, b, 112);
            for (int e = 0; e < 8; ++e)
                if (e != 7) hit(track, gm::CLOSED_HAT, bar, e * 0.5, e % 2 == 0 ? 84 : 62);
            hit(track, gm::OPEN_HAT, bar, 3.5, 80);
            break;
        case DrumStyle::HalfTime:
            hit(track, gm::KICK, bar, 0, 115);
            hit(track, gm::KICK, bar, 2.5, 95);
            hit(track, gm::SNARE, bar, 2, 110);
            for (int e = 0; e < 8; ++e) hit(track, gm::CLOSED_HAT, bar, e * 0.5, e % 2 == 0 ? 80 : 55);
            break;
        case DrumStyle::HatsOnly:
            hit(track, gm::KICK, bar, 0, 100);
            for (int s = 0; s < 16; ++s) hit(track, gm::CLOSED_HAT, bar, s * 0.25, s % 4 == 0 ? 78 : s % 2 == 0 ? 58 : 40);
            break;
        case DrumStyle::Build:
            for (int q = 0; q < 4; ++q) hit(track, gm::KICK, bar, q, 105);
            for (int e = 0; e < 8; ++e) hit(track, gm::SNARE, bar, e * 0.5, 60 + e * 6);
            break;
        case DrumStyle::March:
            for (int q = 0; q < 4; ++q) hit(track, gm::KICK, bar, q, q == 0 ? 110 : 85);
            hit(track, gm::SNARE, bar, 1, 100);
            hit(track, gm::SNARE, bar, 3, 100);
            hit(track, gm::SNARE, bar, 3.75, 70);
            for (int q = 0; q < 4; ++q) hit(track, gm::RIDE, bar, q + 0.5, 70);
            break;
    }
}

void Arranger::drumFill(MidiTrack& track, int bar, bool toms) {
    hit(track, gm::KICK, bar, 0, 115);
    hit(track, gm::SNARE, bar, 1, 110);
    hit(track, gm::KICK, bar, 1.5, 100);
    if (toms) {
        const int drums[8] = {gm::HIGH_TOM, gm::HIGH_TOM, gm::MID_TOM, gm::MID_TOM,
                              gm::LOW_TOM,  gm::LOW_TOM,  gm::SNARE,   gm::SNARE};
        for (int s = 0; s < 8; ++s) hit(track, drums[s], bar, 2 + s * 0.25, 90 + s * 4);
    } else {
        for (int s = 0; s < 8; ++s) hit(track, gm::SNARE, bar, 2 + s * 0.25, 70 + s * 7);
    }
    hit(track, gm::KICK, bar, 2, 110);
}

void Arranger::crash(MidiTrack& track, int bar) {
    hit(track, gm::CRASH, bar, 0, 112);
    hit(track, gm::KICK, bar, 0, 120);
}
