#include "sound_table.h"

#include "sound_device.h"

namespace quillo::anim {

SoundTable::SoundTable(SoundDevice& device) : device_(device) { entries_.emplace_back(); }

SoundTable::~SoundTable() { closeAll(); }

int SoundTable::add(const std::string& path)
{
    const size_t dot = path.find('.');
    if (dot == std::string::npos) return -1;
    const char kind = dot + 1 < path.size() ? path[dot + 1] : '\0';
    for (int i = 1; i < count(); ++i)
        if (entries_[size_t(i)].path == path) return i;
    SoundEntry entry;
    entry.path = path;
    entry.wave = kind == 'w' || kind == 'W';
    entry.device = device_.open(path);
    entries_.push_back(entry);
    return count() - 1;
}

void SoundTable::stopAndRewind(int index)
{
    if (!valid(index)) return;
    const int handle = entries_[size_t(index)].device;
    if (handle == 0) return;
    device_.stop(handle);
    device_.rewind(handle);
}

void SoundTable::select(int a)
{
    if (a == 0) {
        stopAndRewind(currentmidi);
        stopAndRewind(currentwave);
        currentmidi = currentwave = lastsound = 0;
    }
    if (valid(a)) {
        int& current = entries_[size_t(a)].wave ? currentwave : currentmidi;
        if (a != current) {
            stopAndRewind(current);
            current = a;
        }
    }
    if (a == lastsound) return;
    // The wave being played stays in currentwave, so that the next wave,
    // entry 0 or an index outside the table can still stop it.
    if (!valid(a)) {
        stopAndRewind(currentwave);
        currentwave = 0;
    }
    lastsound = a;
    if (!valid(a)) return;
    const SoundEntry& entry = entries_[size_t(a)];
    if (entry.device == 0) return;
    if (entry.wave) stopAndRewind(a); // a wave always plays from its beginning
    device_.play(entry.device);
}

void SoundTable::stop(int index)
{
    if (valid(index) && entries_[size_t(index)].device) device_.stop(entries_[size_t(index)].device);
}

void SoundTable::close(int index)
{
    if (!valid(index)) return;
    SoundEntry& entry = entries_[size_t(index)];
    if (entry.device == 0) return;
    stopAndRewind(index);
    device_.close(entry.device);
    entry.device = 0;
}

void SoundTable::closeAll()
{
    for (int i = 1; i < count(); ++i) close(i);
    entries_.resize(1);
    currentmidi = currentwave = lastsound = 0;
}

} // namespace quillo::anim
