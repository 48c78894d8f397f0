// The composer's toolkit for the two music pieces: places chords, bass lines,
// arpeggios, melodies and drum patterns on a bar-and-beat grid in 4/4, so a
// piece reads as its form (sections, progressions, phrases) rather than as
// raw ticks. General MIDI numbering; drums on channel 10 (index 9).
#pragma once

#include <string>
#include <vector>

#include "assetgen/midi_writer.h"

const int DRUM_CHANNEL = 9;

namespace gm {
const int KICK = 36, SNARE = 38, CLAP = 39, CLOSED_HAT = 42, OPEN_HAT = 46, LOW_TOM = 45, MID_TOM = 47,
          HIGH_TOM = 50, CRASH = 49, RIDE = 51, SPLASH = 55;
}

struct MelodyNote {
    int pitch;      // MIDI note number, 0 for a rest
    double beat;    // from the start of the phrase
    double length;  // in beats
    int velocity;
};

enum class DrumStyle { Driving, HalfTime, HatsOnly, Build, March };

class Arranger {
public:
    Arranger(MidiFile& file, double beats_per_minute);

    long tickAt(double bar, double beat = 0) const;
    double secondsPerBar() const { return 240.0 / bpm; }

    // Pitches of a chord name such as "Am", "F", "Bb", "E", "G7": root first.
    static std::vector<int> chordTones(const std::string& name, int root_octave_note);

    void pad(MidiTrack& track, int channel, int bar, const std::string& chord, int bars, int velocity);
    void drivingBass(MidiTrack& track, int channel, int bar, const std::string& chord, int velocity);
    void syncopatedBass(MidiTrack& track, int channel, int bar, const std::string& chord, int velocity);
    void longBass(MidiTrack& track, int channel, int bar, const std::string& chord, int bars, int velocity);
    void arpeggio(MidiTrack& track, int channel, int bar, const std::string& chord, int velocity, bool sixteenths);
    void stabs(MidiTrack& track, int channel, int bar, const std::string& chord, int velocity);
    void melody(MidiTrack& track, int channel, int bar, const std::vector<MelodyNote>& notes, int transpose = 0,
                int velocity_shift = 0);
    void drums(MidiTrack& track, int bar, DrumStyle style);
    // A one-bar fill that leads into the next section.
    void drumFill(MidiTrack& track, int bar, bool toms);
    void crash(MidiTrack& track, int bar);

private:
    void hit(MidiTrack& track, int drum, int bar, double beat, int velocity);

    double bpm;
    int ppq;
};
