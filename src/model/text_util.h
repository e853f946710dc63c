// Small text helpers shared by the readers and dialogs.
#pragma once

#include <string>
#include <string_view>

namespace quillo {

// The longest prefix of `text` of at most `maxBytes` bytes that does not end
// inside a UTF-8 sequence.
std::string cutUtf8(std::string_view text, size_t maxBytes);

// Copies `text` into a fixed NUL-terminated field of `fieldSize` bytes,
// cut at a UTF-8 boundary. Returns false when it had to be cut.
bool copyToField(char* field, size_t fieldSize, std::string_view text);

} // namespace quillo
