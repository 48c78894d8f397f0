// A small Standard MIDI File reader for the tests: enough of the format to
// check the music pieces' structure (tracks, channels, programs, tempo map,
// note pairing and lengths) without trusting the generator's own writer.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct MidiSummary {
    int format = -1;
    int track_count = 0;
    int ticks_per_beat = 0;
    std::vector<long> track_ends;              // tick of each track's end-of-track event
    std::map<long, uint32_t> tempo_changes;    // tick -> microseconds per beat
    std::map<int, int> notes_per_channel;      // channel (0-15) -> note-ons
    std::map<int, int> programs;               // channel -> last program
    std::set<int> programs_used, drum_notes;
    // Note-ons of the first track that plays any: the piece's lead.
    std::vector<std::pair<long, int>> lead_notes;  // tick, pitch
    int lead_track = -1;
    long first_note_tick = -1;
    long last_note_off_tick = 0;
    int unmatched_notes = 0;                   // note-ons never switched off
    int time_signature_numerator = 4;
    std::map<long, int> sounding_changes;      // tick -> notes started minus notes ended, all tracks

    long endTick() const;
    int mostNotesAtOnce() const;
    double secondsAt(long tick) const;
};

// False when the file is missing or malformed.
bool readMidi(const std::string& path, MidiSummary& summary);

// The lead's top line, bar by bar: (sixteenth within the bar, pitch) of the
// highest note starting on each sixteenth.
std::vector<std::vector<std::pair<int, int>>> topLineBars(const MidiSummary& summary);
