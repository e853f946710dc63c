#include "engine_errors.h"

#include <set>

#include "model/messages.h"

namespace quillo::engine3d {

namespace {

std::set<std::string>& shown()
{
    static std::set<std::string> messages;
    return messages;
}

} // namespace

std::string fullWidthNumber(int number)
{
    const std::string digits = std::to_string(number);
    std::string out;
    for (char d : digits) {
        if (d == '-') {
            out += "－";
            continue;
        }
        // U+FF10 + digit, in UTF-8: EF BC 90..99.
        out += char(0xEF);
        out += char(0xBC);
        out += char(0x90 + (d - '0'));
    }
    return out;
}

std::string d3dErrorText(int number, const char* function)
{
    return "Ｄ３Ｄエラー" + fullWidthNumber(number) + "\n" + function + "関数";
}

std::string newErrorText(int number, const char* classAndMethod)
{
    return "ＮＥＷエラー" + fullWidthNumber(number) + "\n" + classAndMethod + "関数";
}

void reportOnce(const std::string& text)
{
    if (!shown().insert(text).second) return;
    errorbox(formatMessage("%s", text.c_str()));
}

void resetReportedErrors() { shown().clear(); }

} // namespace quillo::engine3d
