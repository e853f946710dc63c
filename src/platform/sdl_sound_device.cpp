#include "sdl_sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace quillo {

namespace {

enum class Kind { wave, midi, other };

// The kind from the first bytes, whatever the file is called.
Kind kindOfFile(const std::string& path)
{
    unsigned char head[12] = {};
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return Kind::other;
    const size_t n = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    if (n >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0) return Kind::wave;
    if (n >= 4 && std::memcmp(head, "MThd", 4) == 0) return Kind::midi;
    return Kind::other;
}

} // namespace

std::string SdlSoundDevice::soundFont()
{
    if (const char* fromEnvironment = std::getenv("SDL_SOUNDFONTS"); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    for (const char* candidate : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                                  "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
        std::error_code ec;
        if (std::filesystem::exists(candidate, ec)) return candidate;
    }
    return {};
}

SdlSoundDevice::SdlSoundDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "No sound: %s\n", SDL_GetError());
        return;
    }
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        std::fprintf(stderr, "No sound: %s\n", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    const std::string font = soundFont();
    if (!font.empty()) Mix_SetSoundFonts(font.c_str());
    open_ = true;
}

SdlSoundDevice::~SdlSoundDevice()
{
    if (!open_) return;
    while (!sounds_.empty()) close(sounds_.begin()->first);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

int SdlSoundDevice::open(const std::string& path)
{
    if (!open_) return 0;
    Sound sound;
    // By content, not by name: the name may say .wav for a MIDI file.
    const Kind kind = kindOfFile(path);
    if (kind == Kind::other) return 0;
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) return 0;
    if (kind == Kind::wave)
        sound.chunk = Mix_LoadWAV_RW(file, 1);
    else
        sound.music = Mix_LoadMUSType_RW(file, MUS_MID, 1);
    if (!sound.chunk && !sound.music) return 0;
    const int handle = nextHandle_++;
    sounds_[handle] = sound;
    return handle;
}

SdlSoundDevice::Sound* SdlSoundDevice::find(int handle)
{
    auto it = sounds_.find(handle);
    return it == sounds_.end() ? nullptr : &it->second;
}

bool SdlSoundDevice::ownsChannel(const Sound& sound) const
{
    return sound.channel >= 0 && Mix_GetChunk(sound.channel) == sound.chunk;
}

void SdlSoundDevice::play(int handle)
{
    Sound* sound = find(handle);
    if (!sound) return;
    if (sound->chunk) {
        if (sound->paused && ownsChannel(*sound)) {
            Mix_Resume(sound->channel);
        } else {
            // More channels when every one is busy, so a wave is never dropped.
            if (Mix_Playing(-1) >= Mix_AllocateChannels(-1)) Mix_AllocateChannels(Mix_AllocateChannels(-1) + 8);
            sound->channel = Mix_PlayChannel(-1, sound->chunk, 0);
        }
    } else if (sound->paused && currentMusic_ == sound->music) {
        Mix_ResumeMusic();
    } else {
        Mix_PlayMusic(sound->music, 0);
        currentMusic_ = sound->music;
    }
    sound->paused = false;
}

void SdlSoundDevice::stop(int handle)
{
    Sound* sound = find(handle);
    if (!sound) return;
    if (sound->chunk && ownsChannel(*sound) && Mix_Playing(sound->channel)) {
        Mix_Pause(sound->channel);
        sound->paused = true;
    } else if (sound->music && currentMusic_ == sound->music && Mix_PlayingMusic()) {
        Mix_PauseMusic();
        sound->paused = true;
    }
}

void SdlSoundDevice::rewind(int handle)
{
    Sound* sound = find(handle);
    if (!sound) return;
    if (sound->chunk && ownsChannel(*sound)) {
        Mix_HaltChannel(sound->channel);
        sound->channel = -1;
    } else if (sound->music && currentMusic_ == sound->music) {
        Mix_HaltMusic();
        currentMusic_ = nullptr;
    }
    sound->paused = false;
}

void SdlSoundDevice::close(int handle)
{
    Sound* sound = find(handle);
    if (!sound) return;
    rewind(handle);
    if (sound->chunk) Mix_FreeChunk(sound->chunk);
    if (sound->music) Mix_FreeMusic(sound->music);
    sounds_.erase(handle);
}

} // namespace quillo
