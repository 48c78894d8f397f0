#include "assetgen/midi_track.h"

#include <algorithm>
#include <cmath>

std::vector<uint8_t> variableLength(uint32_t value) {
    std::vector<uint8_t> out;
    out.push_back(uint8_t(value & 0x7F));
    while ((value >>= 7) > 0) out.insert(out.begin(), uint8_t((value & 0x7F) | 0x80));
    return out;
}

MidiTrack::MidiTrack(const std::string& name) {
    std::vector<uint8_t> meta = {0xFF, 0x03};
    std::vector<uint8_t> len = variableLength(uint32_t(name.size()));
    meta.insert(meta.end(), len.begin(), len.end());
    meta.insert(meta.end(), name.begin(), name.end());
    add(0, 0, meta);
}

void MidiTrack::add(long tick, int order, std::vector<uint8_t> bytes) {
    events.push_back(Event{tick, order, long(events.size()), std::move(bytes)});
}

void MidiTrack::note(int channel, int pitch, long start_tick, long length_ticks, int velocity) {
    pitch = std::clamp(pitch, 0, 127);
    velocity = std::clamp(velocity, 1, 127);
    add(start_tick, 3, {uint8_t(0x90 | channel), uint8_t(pitch), uint8_t(velocity)});
    add(start_tick + std::max(1L, length_ticks), 1, {uint8_t(0x80 | channel), uint8_t(pitch), 0x40});
}

void MidiTrack::program(int channel, int program_number, long tick) {
    add(tick, 2, {uint8_t(0xC0 | channel), uint8_t(program_number)});
}

void MidiTrack::controller(int channel, int number, int value, long tick) {
    add(tick, 2, {uint8_t(0xB0 | channel), uint8_t(number), uint8_t(value)});
}

void MidiTrack::tempo(double beats_per_minute, long tick) {
    uint32_t micros = uint32_t(std::lround(60000000.0 / beats_per_minute));
    add(tick, 0, {0xFF, 0x51, 0x03, uint8_t(micros >> 16), uint8_t(micros >> 8), uint8_t(micros)});
}

void MidiTrack::timeSignature(int numerator, int denominator_power, long tick) {
    add(tick, 0, {0xFF, 0x58, 0x04, uint8_t(numerator), uint8_t(denominator_power), 24, 8});
}

void MidiTrack::endAt(long tick) { end_tick = std::max(end_tick, tick); }

long MidiTrack::lastTick() const {
    long last = end_tick;
    for (const Event& e : events) last = std::max(last, e.tick);
    return last;
}

std::vector<uint8_t> MidiTrack::chunk() const {
    std::vector<Event> sorted = events;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        if (a.order != b.order) return a.order < b.order;
        return a.sequence < b.sequence;
    });
    std::vector<uint8_t> body;
    long now = 0;
    for (const Event& e : sorted) {
        std::vector<uint8_t> delta = variableLength(uint32_t(e.tick - now));
        body.insert(body.end(), delta.begin(), delta.end());
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    std::vector<uint8_t> delta = variableLength(uint32_t(lastTick() - now));
    body.insert(body.end(), delta.begin(), delta.end());
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<uint8_t> out = {'M', 'T', 'r', 'k'};
    uint32_t n = uint32_t(body.size());
    out.insert(out.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    out.insert(out.end(), body.begin(), body.end());
    return out;
}
