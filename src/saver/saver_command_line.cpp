#include "saver_command_line.h"

#include <cerrno>
#include <cstdlib>

namespace quillo {

bool parseWindowId(const std::string& text, uint64_t& id)
{
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || end == text.c_str() || value == 0) return false;
    id = value;
    return true;
}

SaverCommand parseSaverCommandLine(const std::vector<std::string>& all, const char* xscreensaverWindow)
{
    SaverCommand c;
    std::vector<std::string> args;
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] == "--script" && i + 1 < all.size()) {
            c.scriptPath = all[++i];
        } else if (all[i] == "--help" || all[i] == "-h") {
            c.mode = SaverMode::help;
            return c;
        } else if (all[i] == "--render") {
            c.mode = SaverMode::render;
            c.renderArgs.assign(all.begin() + long(i) + 1, all.end());
            return c;
        } else {
            args.push_back(all[i]);
        }
    }

    // xscreensaver's options come before the letter rule, under which
    // "-root" or "-fps" would mean the settings.
    std::vector<std::string> rest;
    bool root = false, windowId = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-root") {
            root = true;
        } else if (a == "-window-id") {
            windowId = true;
            c.windowValid = i + 1 < args.size() && parseWindowId(args[++i], c.window);
        } else if (a == "-fps" || a == "-install" || a == "-no-install") {
        } else if ((a == "-visual" || a == "-delay") && i + 1 < args.size()) {
            ++i;
        } else {
            rest.push_back(a);
        }
    }
    if (windowId) {
        c.mode = SaverMode::xscreensaver;
        return c;
    }
    if (root) {
        if (xscreensaverWindow && parseWindowId(xscreensaverWindow, c.window)) {
            c.mode = SaverMode::xscreensaver;
            return c;
        }
        c.mode = SaverMode::saver;
        c.note = "quillosaver: -root without a usable XSCREENSAVER_WINDOW: running full screen instead";
        return c;
    }

    const std::string first = rest.empty() ? std::string() : rest[0];
    const char letter = first.size() > 1 ? first[1] : '\0';
    if (letter == 'S' || letter == 's') {
        c.mode = SaverMode::saver;
    } else if (letter == 'P' || letter == 'p') {
        c.mode = SaverMode::preview;
        // The id follows as the next token ("/p 1234") or after a colon ("/p:1234").
        std::string id = rest.size() > 1 ? rest[1] : std::string();
        if (first.size() > 3 && first[2] == ':') id = first.substr(3);
        c.windowValid = parseWindowId(id, c.window);
    }
    return c;
}

} // namespace quillo
