// One table of an editor's commands: each row carries the command's
// number, where it stands in the menus, its label with the & mnemonic, its
// accelerator key and the handler that runs it. Menus, keys, tool-window
// buttons and --script lines are all built from the table and all reach
// the handler through the one lookup in dispatch().
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillo {

struct CommandEntry {
    int id = 0;                    // 0 with a null label: a separator
    const char* menu = nullptr;    // top-level menu label; null: no menu item
    const char* submenu = nullptr; // a submenu of `menu`, or null
    const char* label = nullptr;   // the item's label, with its & mnemonic
    const char* key = nullptr;     // "g", "Shift+1", "Up" ...; null for none
    // Runs the command; true when the view must be drawn again. An id that
    // stands in two menus needs its handler on one of its rows only.
    std::function<bool(int id)> handler;
};

class CommandTable {
public:
    CommandTable() = default;
    // `menus`: the top-level menus in order; `entries` in menu order.
    CommandTable(std::vector<const char*> menus, std::vector<CommandEntry> entries);

    const std::vector<const char*>& menus() const { return menus_; }
    const std::vector<CommandEntry>& entries() const { return entries_; }
    // The first row of `id` that has a label, or null.
    const CommandEntry* find(int id) const;
    // The command of an accelerator key as scripts and shortcuts name it; 0 for none.
    int commandForKey(const std::string& key) const;
    // Runs the handler of `id`. False when it asks for no redraw, and when
    // no row of the table has the id (then `known`, if given, is false).
    bool dispatch(int id, bool* known = nullptr) const;
    bool has(int id) const { return handlers_.count(id) != 0; }
    // The ids that have a row but no handler on any of their rows.
    std::vector<int> idsWithoutHandler() const;

private:
    std::vector<const char*> menus_;
    std::vector<CommandEntry> entries_;
    std::unordered_map<int, size_t> handlers_; // id -> the row that runs it
};

// The entries of an editor's rows (each with command, menu, submenu,
// label, key and a `run(Editor&, int)` function) with the handlers bound
// to `editor`.
template <class Rows, class Editor>
std::vector<CommandEntry> bindCommandRows(const Rows& rows, Editor& editor)
{
    std::vector<CommandEntry> entries;
    for (const auto& r : rows) {
        CommandEntry e{static_cast<int>(r.command), r.menu, r.submenu, r.label, r.key, nullptr};
        if (r.run) e.handler = [&editor, run = r.run](int command) { return run(editor, command); };
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace quillo
