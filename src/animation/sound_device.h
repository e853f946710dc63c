// The media services behind the sound table: open a wave or MIDI file, play
// it without waiting, stop, rewind and close it. The program never learns
// when a sound ends.
#pragma once

#include <string>

namespace quillo::anim {

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // Opens the file, recognising wave or MIDI by its content. Returns a
    // handle other than 0, or 0 when it cannot be opened.
    virtual int open(const std::string& path) = 0;
    // Plays from the current position.
    virtual void play(int handle) = 0;
    virtual void stop(int handle) = 0;
    // Back to the start.
    virtual void rewind(int handle) = 0;
    virtual void close(int handle) = 0;
};

// For tools that only read and write files: every entry keeps its path and
// stays silent (nothing is opened).
class SilentSoundDevice : public SoundDevice {
public:
    int open(const std::string&) override { return 0; }
    void play(int) override {}
    void stop(int) override {}
    void rewind(int) override {}
    void close(int) override {}
};

} // namespace quillo::anim
