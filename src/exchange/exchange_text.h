// Names in exchange files must be valid UTF-8 (JSON and most readers need
// it); names read from old model files may be in code page 932.
#pragma once

#include <string>

namespace quillo {

// `name` with every byte that does not start a valid UTF-8 sequence replaced by "_".
std::string exchangeName(const std::string& name);

// Whether `text` ends in `tail` (lower case), whatever the case of `text`.
bool endsWithNoCase(const std::string& text, const char* tail);

} // namespace quillo
