#include "settings_store.h"

#include <cctype>

namespace quillo {

int parseFirstNumber(const std::string& text, int unchanged)
{
    // Like sscanf "%d": blanks, an optional sign, then digits.
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return unchanged;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483647LL) value = 2147483647LL;
    }
    return int(negative ? -value : value);
}

bool firstCharacterIs(const std::string& text, char c) { return !text.empty() && text[0] == c; }

} // namespace quillo
