// Reading the numbers of the programs' command-line options.
#pragma once

namespace quillo {

// A whole decimal int32.
bool readInt(const char* text, int& value);
// "WIDTHxHEIGHT", each 1 to maxSide.
bool readSize(const char* text, int& width, int& height, int maxSide);
// "x,y,z,a,b,c".
bool readView(const char* text, float (&view)[6]);

} // namespace quillo
