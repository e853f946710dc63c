// The conversion of a DXF drawing's 3DFACEs into an MD4 model file, and the
// checks that come before it when a user asks for it.
#pragma once

#include <string>

namespace quillo {

struct ConversionOptions {
    std::string inputPath;
    std::string outputPath;
    float modelSize = 1.6f; // metres
    bool bothSides = false;
    bool reverse = false;
    bool groupByColour = false;
    bool allWhite = false;
    bool fast = false; // no pairing of triangles
};

// Reads the faces, welds the points, scales the drawing to the model size,
// pairs triangles (unless fast) and writes the model. Every failure is
// reported through errorbox and leaves the output file as it was. True when
// the model was written.
bool convertDxf(const ConversionOptions& options);

// What the convert buttons do: refuse an input that cannot be opened and an
// output path shorter than 5 or longer than 260 bytes, then convertDxf.
bool runConversion(const ConversionOptions& options);

// The input path cut at the first "." of its file name (after the last "/"
// or "\"), followed by ".MD4"; a file name without "." gets ".MD4" added.
std::string defaultOutputName(const std::string& inputPath);

} // namespace quillo
