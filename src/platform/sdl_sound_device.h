// The sound device of the programs on SDL2_mixer: a wave file is a Mix_Chunk
// played on a channel of its own, a MIDI file is a Mix_Music rendered by
// FluidSynth with the General MIDI sound font. Without a usable sound card
// the device stays silent (it opens nothing) after one message on standard
// error.
#pragma once

#include <map>
#include <string>

#include "animation/sound_device.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace quillo {

class SdlSoundDevice : public anim::SoundDevice {
public:
    SdlSoundDevice();
    ~SdlSoundDevice() override;
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    bool silent() const { return !open_; }

    int open(const std::string& path) override;
    void play(int handle) override;
    void stop(int handle) override;
    void rewind(int handle) override;
    void close(int handle) override;

    // The sound font MIDI files are played with (empty when none was found).
    static std::string soundFont();

private:
    struct Sound {
        Mix_Chunk* chunk = nullptr;
        Mix_Music* music = nullptr;
        int channel = -1;    // the channel a wave plays or pauses on
        bool paused = false; // stopped where it was, to go on from there
    };
    Sound* find(int handle);
    bool ownsChannel(const Sound& sound) const;

    bool open_ = false;
    int nextHandle_ = 1;
    std::map<int, Sound> sounds_;
    Mix_Music* currentMusic_ = nullptr; // SDL_mixer plays one music at a time
};

} // namespace quillo
