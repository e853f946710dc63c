// The sound table of an animation: wave and MIDI files named by frames.
// Entry 0 stands for no sound. Selecting an entry starts and stops playback:
// a MIDI entry plays on while wave entries come and go, until another MIDI
// entry or entry 0 is selected; a wave entry plays from its beginning and
// stops when another wave, entry 0 or an index outside the table is chosen.
#pragma once

#include <string>
#include <vector>

namespace quillo::anim {

class SoundDevice;

struct SoundEntry {
    std::string path;
    bool wave = false;
    int device = 0; // 0: not open; commands on it do nothing
};

class SoundTable {
public:
    // `device` must outlive the table.
    explicit SoundTable(SoundDevice& device);
    ~SoundTable();
    SoundTable(const SoundTable&) = delete;
    SoundTable& operator=(const SoundTable&) = delete;

    int count() const { return int(entries_.size()); }
    const SoundEntry& entry(int i) const { return entries_[size_t(i)]; }

    // The index of the entry for `path`, added and opened when new; -1 for a
    // path without ".". The letter after the first "." decides the kind:
    // "w" or "W" a wave sound, anything else MIDI.
    int add(const std::string& path);
    // Starts and stops playback for entry `index` (see above).
    void select(int index);
    void stop(int index);
    // Stops, rewinds and closes one entry's device; the entry stays.
    void close(int index);
    // Closes every device and empties the table to entry 0.
    void closeAll();

    int currentmidi = 0; // the MIDI entry that plays or played last
    int currentwave = 0; // the wave entry that plays or played last
    int lastsound = 0;   // the entry selected last: the current music

private:
    bool valid(int index) const { return index > 0 && index < count(); }
    void stopAndRewind(int index);
    SoundDevice& device_;
    std::vector<SoundEntry> entries_;
};

} // namespace quillo::anim
