// The layout of a modeless button window: groups of buttons, each button
// sending its command number. Plain data, so that each editor keeps its
// layouts beside its commands.
#pragma once

#include <vector>

namespace quillo {

struct ToolButtonSpec {
    int command;
    const char* label;
};
struct ToolGroupSpec {
    const char* title; // null: buttons without a group box
    int columns;       // buttons per row
    std::vector<ToolButtonSpec> buttons;
    bool beside = false; // next to the group before it rather than below
};
struct ToolWindowSpec {
    int command; // the menu command that shows the window
    const char* resource;
    const char* title;
    std::vector<ToolGroupSpec> groups;
};

} // namespace quillo
