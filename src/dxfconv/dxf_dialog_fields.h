// The texts of the converter window's fields: the model size as it is shown
// and read back, and the output name derived from an input path.
#pragma once

#include <string>

namespace quillo {

// The size field's text: the size with "%8.3g" (1.6 gives five blanks and
// "1.6"), whatever the process locale.
std::string formatSizeField(float metres);

// The size field read back: one number with blanks around it. Anything else
// (empty, "1,6", "2m") gives NaN, which the conversion refuses with its
// message instead of converting at a size the user did not mean.
float parseSizeField(const std::string& text);

// The output field at start-up: empty for an empty command line, otherwise
// the command line's text cut at the first "." of its file name, plus ".MD4".
std::string startupOutputName(const std::string& commandLine);

// The output field after an input file was chosen: true with `output` set
// when the chosen file's name holds a "."; false (the field stays as it
// was) otherwise.
bool outputNameForChosenInput(const std::string& chosen, std::string& output);

} // namespace quillo
