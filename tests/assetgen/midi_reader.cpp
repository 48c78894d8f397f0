#include "midi_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
uint32_t be32(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
uint16_t be16(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }

class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : p(data), end(data + size) {}
    bool done() const { return p >= end; }
    bool byte(uint8_t& out) {
        if (p >= end) return false;
        out = *p++;
        return true;
    }
    bool varLen(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!byte(b)) return false;
            out = (out << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool skip(size_t n) {
        if (size_t(end - p) < n) return false;
        p += n;
        return true;
    }
    const uint8_t* here() const { return p; }

private:
    const uint8_t* p;
    const uint8_t* end;
};

bool readTrack(const uint8_t* data, size_t size, MidiSummary& s) {
    Cursor c(data, size);
    long tick = 0;
    uint8_t status = 0;
    std::map<int, int> sounding;  // channel * 128 + pitch -> count
    while (!c.done()) {
        uint32_t delta;
        if (!c.varLen(delta)) return false;
        tick += delta;
        uint8_t b;
        if (!c.byte(b)) return false;
        if (b == 0xFF) {
            uint8_t type;
            uint32_t len;
            if (!c.byte(type) || !c.varLen(len)) return false;
            const uint8_t* body = c.here();
            if (!c.skip(len)) return false;
            if (type == 0x51 && len == 3) s.tempo_changes[tick] = (body[0] << 16) | (body[1] << 8) | body[2];
            if (type == 0x58 && len >= 1) s.time_signature_numerator = body[0];
            if (type == 0x2F) {
                s.track_ends.push_back(tick);
                for (auto& kv : sounding) s.unmatched_notes += kv.second;
                return true;
            }
            continue;
        }
        if (b == 0xF0 || b == 0xF7) {
            uint32_t len;
            if (!c.varLen(len) || !c.skip(len)) return false;
            continue;
        }
        uint8_t first;
        if (b & 0x80) {
            status = b;
            if (!c.byte(first)) return false;
        } else {
            if (!status) return false;
            first = b;  // running status
        }
        int kind = status & 0xF0, channel = status & 0x0F;
        uint8_t second = 0;
        if (kind != 0xC0 && kind != 0xD0 && !c.byte(second)) return false;
        if (kind == 0x90 && second > 0) {
            ++s.notes_per_channel[channel];
            if (channel == 9) s.drum_notes.insert(first);
            int track = int(s.track_ends.size());
            if (channel != 9 && s.lead_track < 0) s.lead_track = track;
            if (channel != 9 && track == s.lead_track) s.lead_notes.push_back({tick, first});
            ++sounding[channel * 128 + first];
            ++s.sounding_changes[tick];
            if (s.first_note_tick < 0 || tick < s.first_note_tick) s.first_note_tick = tick;
        } else if (kind == 0x80 || (kind == 0x90 && second == 0)) {
            int& count = sounding[channel * 128 + first];
            if (count > 0) {
                --count;
                --s.sounding_changes[tick];
            }
            s.last_note_off_tick = std::max(s.last_note_off_tick, tick);
        } else if (kind == 0xC0) {
            s.programs[channel] = first;
            s.programs_used.insert(first);
        }
    }
    return false;  // no end-of-track event
}
}  // namespace

long MidiSummary::endTick() const {
    long end = 0;
    for (long t : track_ends) end = std::max(end, t);
    return end;
}

int MidiSummary::mostNotesAtOnce() const {
    int sounding = 0, most = 0;
    for (const auto& change : sounding_changes) most = std::max(most, sounding += change.second);
    return most;
}

double MidiSummary::secondsAt(long tick) const {
    double seconds = 0;
    long at = 0;
    uint32_t tempo = 500000;
    for (const auto& change : tempo_changes) {
        if (change.first >= tick) break;
        seconds += double(change.first - at) * tempo / 1e6 / ticks_per_beat;
        at = change.first;
        tempo = change.second;
    }
    return seconds + double(tick - at) * tempo / 1e6 / ticks_per_beat;
}

bool readMidi(const std::string& path, MidiSummary& s) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    if (bytes.size() < 14 || std::memcmp(&bytes[0], "MThd", 4) || be32(&bytes[4]) != 6) return false;
    s.format = be16(&bytes[8]);
    s.track_count = be16(&bytes[10]);
    s.ticks_per_beat = be16(&bytes[12]);
    if (s.ticks_per_beat & 0x8000) return false;  // frame-based timing is not used
    size_t pos = 14;
    for (int t = 0; t < s.track_count; ++t) {
        if (pos + 8 > bytes.size() || std::memcmp(&bytes[pos], "MTrk", 4)) return false;
        uint32_t size = be32(&bytes[pos + 4]);
        if (pos + 8 + size > bytes.size() || !readTrack(&bytes[pos + 8], size, s)) return false;
        pos += 8 + size;
    }
    return pos == bytes.size();
}

std::vector<std::vector<std::pair<int, int>>> topLineBars(const MidiSummary& s) {
    long sixteenth = s.ticks_per_beat / 4, bar = sixteenth * 4 * s.time_signature_numerator;
    std::map<long, int> top;  // sixteenth -> highest pitch
    for (const auto& note : s.lead_notes) {
        int& pitch = top[(note.first + sixteenth / 2) / sixteenth];
        pitch = std::max(pitch, note.second);
    }
    std::vector<std::vector<std::pair<int, int>>> bars(size_t(s.endTick() / bar));
    for (const auto& step : top) {
        size_t index = size_t(step.first * sixteenth / bar);
        if (index < bars.size()) bars[index].push_back({int(step.first % (bar / sixteenth)), step.second});
    }
    return bars;
}
