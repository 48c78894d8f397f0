#include "assetgen/midi_writer.h"

#include <algorithm>

MidiFile::MidiFile(int ticks_per_beat) : ppq(ticks_per_beat) {
    tracks.reserve(16);
    tracks.emplace_back("Conductor");
}

MidiTrack& MidiFile::addTrack(const std::string& name) {
    tracks.emplace_back(name);
    return tracks.back();
}

std::vector<uint8_t> MidiFile::bytes() const {
    long end = 0;
    for (const MidiTrack& t : tracks) end = std::max(end, t.lastTick());
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    out.push_back(uint8_t(tracks.size() >> 8));
    out.push_back(uint8_t(tracks.size()));
    out.push_back(uint8_t(ppq >> 8));
    out.push_back(uint8_t(ppq));
    for (MidiTrack t : tracks) {
        t.endAt(end);
        std::vector<uint8_t> c = t.chunk();
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}
