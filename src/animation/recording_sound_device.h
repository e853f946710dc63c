// A sound device that only writes down what it was asked to do, in order:
// tests and the animation editor's script runs (the `sounds` verb) use it.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "animation/sound_device.h"

namespace quillo::anim {

class RecordingSoundDevice : public SoundDevice {
public:
    int open(const std::string& path) override
    {
        calls.push_back("open " + path);
        if (unopenable.count(path)) return 0;
        return ++lastHandle;
    }
    void play(int h) override { calls.push_back("play " + std::to_string(h)); }
    void stop(int h) override { calls.push_back("stop " + std::to_string(h)); }
    void rewind(int h) override { calls.push_back("rewind " + std::to_string(h)); }
    void close(int h) override { calls.push_back("close " + std::to_string(h)); }
    // The calls since the last take, then forgotten.
    std::vector<std::string> take()
    {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }

    std::vector<std::string> calls;
    std::set<std::string> unopenable;
    int lastHandle = 0;
};

} // namespace quillo::anim
