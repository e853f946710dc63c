// Reading the numbers of the programs' command-line options.
#pragma once

#include <functional>
#include <string>

namespace quillo {

// A whole decimal int32.
bool readInt(const char* text, int& value);
// "WIDTHxHEIGHT", each 1 to maxSide.
bool readSize(const char* text, int& width, int& height, int maxSide);
// "x,y,z,a,b,c".
bool readView(const char* text, float (&view)[6]);

// The arguments both --render modes share. The caller sets the defaults.
struct RenderArguments {
    std::string output, model;
    int width = 640, height = 480;
    int zoom = 256;
    bool camera = false;
    float view[6] = {};
};

// Reads the words after "--render": OUT.png, MODEL, --size WxH (each 1 to
// maxSide), --zoom Z and --camera x,y,z,a,b,c. Any other "--" word goes to
// `other` with the index of the word (which it may advance past a value);
// it returns 1 when it took the word, 0 for an unknown option, -1 after
// setting `error`. False with `error` set when the words do not make sense.
bool parseRenderArguments(int argc, char** argv, int maxSide, RenderArguments& out, std::string& error,
                          const std::function<int(const std::string& word, int& i)>& other);

} // namespace quillo
