#include "engine_errors.h"

#include <set>

#include "model/messages.h"

namespace quillo::engine3d {

namespace {

ErrorWording wording = ErrorWording::animator;

// The device layer's failures that the saver words as its own.
bool saverNumber(int number)
{
    return (number >= 12 && number <= 14) || (number >= 20 && number <= 25) || number == 28 || number == 29 ||
           (number >= 31 && number <= 44);
}

// The display start-up failures of ddinit stand without the function.
bool withoutFunction(int number) { return number == 28 || number == 29 || (number >= 31 && number <= 35); }

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

void setErrorWording(ErrorWording w) { wording = w; }
ErrorWording errorWording() { return wording; }

std::string d3dErrorText(int number, const char* function)
{
    if (wording == ErrorWording::saver && saverNumber(number)) {
        const std::string head = "ＳＡＶＥＲエラー" + fullWidthNumber(number);
        if (withoutFunction(number)) return head;
        if (number == 25) return head + "\n" + function; // "ＳＡＶＥＲエラー２５\nwinit"
        return head + "\n" + function + "関数";
    }
    return "Ｄ３Ｄエラー" + fullWidthNumber(number) + "\n" + function + "関数";
}

std::string noDeviceText()
{
    return wording == ErrorWording::saver ? "Direct3D使用不能" : "Ｄｉｒｅｃｔ３Ｄが使用できません";
}

void setupFailure(const std::string& text) { setupFailureBox(formatMessage("%s", text.c_str())); }

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
