// quillosaver --render: the frame after N playback steps of an animation,
// as the saver draws it, written as PNG without a display.
#pragma once

#include <string>
#include <vector>

namespace quillo {

struct SaverRenderOptions {
    std::string output, animation;
    int steps = 1; // the first step is the saver's start-up step
    int width = 640, height = 480;
};

// Reads the words after "--render": OUT.png ANIM.md7 [--steps N] [--size WxH].
bool parseSaverRenderOptions(const std::vector<std::string>& args, SaverRenderOptions& options, std::string& error);

// The exit status: 0 written, 1 the animation or the PNG failed, 2 bad arguments.
int saverRenderCommand(const std::vector<std::string>& args);

} // namespace quillo
