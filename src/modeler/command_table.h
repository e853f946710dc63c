// Every command of the model editor in one table: the menus, accelerator
// keys, tool windows and --script runs are all built from it, and all of
// them end in the one dispatcher.
#pragma once

#include <vector>

namespace quillo {

struct CommandInfo {
    int id;
    const char* menu;  // top-level menu label; null for commands without a menu item
    const char* label; // menu item label, with its & mnemonic
    const char* key;   // accelerator: "g", "Shift+1", "Up" ...; null for none
};

// In menu order; a CommandInfo with id 0 and a label of null is a separator.
const std::vector<CommandInfo>& modelerCommands();
const CommandInfo* findCommand(int id);
// The command of an accelerator key as scripts and shortcuts name it.
int commandForKey(const char* key);

// Top-level menus, in order.
const std::vector<const char*>& modelerMenus();

} // namespace quillo
