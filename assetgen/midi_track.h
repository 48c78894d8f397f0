// One track of a Standard MIDI File: timed events collected in any order and
// serialised sorted by time, with note-offs ahead of note-ons at the same
// tick so repeated notes retrigger cleanly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class MidiTrack {
public:
    explicit MidiTrack(const std::string& name);

    void note(int channel, int pitch, long start_tick, long length_ticks, int velocity);
    void program(int channel, int program_number, long tick = 0);
    void controller(int channel, int number, int value, long tick = 0);
    void tempo(double beats_per_minute, long tick = 0);
    void timeSignature(int numerator, int denominator_power, long tick = 0);
    // The track ends here (or at its last event, if later).
    void endAt(long tick);

    long lastTick() const;
    // The MTrk chunk, header included.
    std::vector<uint8_t> chunk() const;

private:
    struct Event {
        long tick;
        int order;  // 0 meta, 1 note-off, 2 other channel events, 3 note-on
        long sequence;
        std::vector<uint8_t> bytes;
    };
    void add(long tick, int order, std::vector<uint8_t> bytes);

    std::vector<Event> events;
    long end_tick = 0;
};

std::vector<uint8_t> variableLength(uint32_t value);
