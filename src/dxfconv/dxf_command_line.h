// The command line of facesmith:
//   facesmith [options] INPUT.dxf [OUTPUT.md4]
// A single path without any option (or no argument at all) means the
// converter's window with that path in its input field; any option or a
// second path asks for a conversion without the window.
#pragma once

#include <string>
#include <vector>

#include "convert_dxf.h"

namespace quillo {

struct FacesmithCommand {
    enum Kind { convert, window, help, usageError } kind = usageError;
    ConversionOptions options; // convert: complete; window: the input path
    std::string error;         // usageError: what was wrong
};

// Parses the arguments after the program name. A size that is not a finite
// number is passed on as NaN, which the conversion refuses with its message.
FacesmithCommand parseFacesmithArguments(const std::vector<std::string>& args);

std::string facesmithUsage();

} // namespace quillo
