// The number texts of the dialog fields: printf-style widths ("%4d",
// "%5.2f", "%8.3f") and scanf-style reading ("%d", "%g"), always with a
// '.' decimal point whatever the process locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillo {

// "%<width>d"
std::string formatInt(int value, int width);
// "%<width>.<precision>f"
std::string formatFixed(double value, int width, int precision);

// Leading blanks, an optional sign, digits; what follows is ignored.
// False (value untouched) when the text holds no number. Values beyond
// the int range are limited to it.
bool scanInt(const std::string& text, int& value);
// The same for a real number ("%g": decimal or exponent form). Infinite
// and not-a-number results are refused, so a field never yields them.
bool scanReal(const std::string& text, double& value);

// A name as the editors' files can keep it: one word (blanks become "_"),
// at least one character ("_" for an empty answer), cut to fit a field of
// `fieldSize` bytes without splitting a UTF-8 character.
std::string fieldName(std::string_view typed, size_t fieldSize);

} // namespace quillo
