#include "exchange_text.h"

#include <cctype>
#include <cstring>

namespace quillo {

std::string exchangeName(const std::string& name)
{
    std::string out;
    size_t i = 0;
    while (i < name.size()) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool valid = length > 0 && i + length <= name.size();
        for (size_t k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(name[i + k]) & 0xC0) == 0x80;
        // Overlong forms and surrogates are not valid either.
        if (valid && length == 2) valid = c >= 0xC2;
        if (valid && length == 3) {
            const unsigned char d = static_cast<unsigned char>(name[i + 1]);
            valid = !(c == 0xE0 && d < 0xA0) && !(c == 0xED && d >= 0xA0);
        }
        if (valid && length == 4) {
            const unsigned char d = static_cast<unsigned char>(name[i + 1]);
            valid = c <= 0xF4 && !(c == 0xF0 && d < 0x90) && !(c == 0xF4 && d >= 0x90);
        }
        if (valid) {
            out.append(name, i, length);
            i += length;
        } else {
            out += '_';
            ++i;
        }
    }
    return out;
}

bool endsWithNoCase(const std::string& text, const char* tail)
{
    const size_t n = std::strlen(tail);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != tail[i]) return false;
    return true;
}

} // namespace quillo
