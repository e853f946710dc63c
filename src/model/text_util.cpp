#include "text_util.h"

#include <cstring>

namespace quillo {

std::string cutUtf8(std::string_view text, size_t maxBytes)
{
    if (text.size() <= maxBytes) return std::string(text);
    size_t end = maxBytes;
    // Step back over continuation bytes to the start of the cut sequence.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return std::string(text.substr(0, end));
}

bool copyToField(char* field, size_t fieldSize, std::string_view text)
{
    if (fieldSize == 0) return text.empty();
    std::string cut = cutUtf8(text, fieldSize - 1);
    std::memcpy(field, cut.data(), cut.size());
    field[cut.size()] = '\0';
    return cut.size() == text.size();
}

} // namespace quillo
