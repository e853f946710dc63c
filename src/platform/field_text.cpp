#include "field_text.h"

#include "model/text_util.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quillo {

namespace {

std::string padLeft(std::string text, int width)
{
    if (int(text.size()) < width) text.insert(0, size_t(width) - text.size(), ' ');
    return text;
}

size_t skipBlanks(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    return i;
}

} // namespace

std::string formatInt(int value, int width)
{
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return padLeft(std::string(buffer, result.ptr), width);
}

std::string formatFixed(double value, int width, int precision)
{
    if (!std::isfinite(value)) value = 0.0;
    char buffer[400]; // the largest double in fixed form with a few decimals fits
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    if (result.ec != std::errc()) return padLeft("0", width);
    return padLeft(std::string(buffer, result.ptr), width);
}

bool scanInt(const std::string& text, int& value)
{
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) magnitude = 2147483648LL; // limited, never overflows
    }
    long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max()) signedValue = std::numeric_limits<int>::max();
    value = int(signedValue);
    return true;
}

bool scanReal(const std::string& text, double& value)
{
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size()) return false;
    // from_chars takes no sign of its own here, so "+-1" is refused as scanf would.
    if (text[i] == '+' || text[i] == '-') return false;
    double parsed = 0.0;
    auto result = std::from_chars(text.data() + i, text.data() + text.size(), parsed, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
    value = negative ? -parsed : parsed;
    return true;
}

std::string fieldName(std::string_view typed, size_t fieldSize)
{
    std::string word(typed);
    for (char& c : word)
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') c = '_';
    if (word.empty()) word.push_back('_');
    return fieldSize > 0 ? cutUtf8(word, fieldSize - 1) : std::string();
}

} // namespace quillo
