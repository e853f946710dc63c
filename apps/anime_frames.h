// quilloanime --frames and --play: image sequences of an animation as PNG
// files, for making a video, without a display.
#pragma once

#include <string>

namespace quillo {

struct FramesOptions {
    bool playback = false; // --play N: playback steps across scenes
    int steps = 0;
    std::string pattern, file;
    int scene = 1;           // counted from 1, as the scene list shows them
    int from = 0, to = -1;   // frame indexes from 0; -1: the last
    int width = 640, height = 480;
};

// Reads the words after the program name; false with `error` set.
bool parseFramesOptions(int argc, char** argv, FramesOptions& o, std::string& error);

// Runs --frames or --play; the exit status.
int animeFramesCommand(int argc, char** argv);

} // namespace quillo
