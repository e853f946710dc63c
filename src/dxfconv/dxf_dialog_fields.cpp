#include "dxf_dialog_fields.h"

#include <charconv>
#include <limits>

#include "convert_dxf.h"
#include "dxf_pair_reader.h"

namespace quillo {

std::string formatSizeField(float metres)
{
    // to_chars with a precision follows printf's %.3g in the "C" locale.
    char digits[64];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, double(metres), std::chars_format::general, 3);
    std::string text = ec == std::errc() ? std::string(digits, end) : std::string("nan");
    if (text.size() < 8) text.insert(0, 8 - text.size(), ' ');
    return text;
}

float parseSizeField(const std::string& text)
{
    float size;
    if (parseDxfFloat(trimDxfLine(text), size)) return size;
    return std::numeric_limits<float>::quiet_NaN();
}

std::string startupOutputName(const std::string& commandLine)
{
    return commandLine.empty() ? std::string() : defaultOutputName(commandLine);
}

bool outputNameForChosenInput(const std::string& chosen, std::string& output)
{
    size_t nameStart = chosen.find_last_of("/\\");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    if (chosen.find('.', nameStart) == std::string::npos) return false;
    output = defaultOutputName(chosen);
    return true;
}

} // namespace quillo
