// A format-1 Standard MIDI File: a conductor track for tempo and metre, then
// one track per part. Every track is given the same end so a looping player
// sees one exact length.
#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/midi_track.h"

class MidiFile {
public:
    explicit MidiFile(int ticks_per_beat);

    int ticksPerBeat() const { return ppq; }
    MidiTrack& conductor() { return tracks.front(); }
    MidiTrack& addTrack(const std::string& name);
    std::vector<uint8_t> bytes() const;

private:
    int ppq;
    std::vector<MidiTrack> tracks;
};
