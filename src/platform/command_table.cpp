#include "command_table.h"

#include <cstring>

namespace quillo {

CommandTable::CommandTable(std::vector<const char*> menus, std::vector<CommandEntry> entries)
    : menus_(std::move(menus)), entries_(std::move(entries))
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].handler && !handlers_.count(entries_[i].id)) handlers_[entries_[i].id] = i;
}

const CommandEntry* CommandTable::find(int id) const
{
    for (const CommandEntry& c : entries_)
        if (c.id == id && c.label) return &c;
    return nullptr;
}

int CommandTable::commandForKey(const std::string& key) const
{
    for (const CommandEntry& c : entries_)
        if (c.key && key == c.key) return c.id;
    return 0;
}

bool CommandTable::dispatch(int id, bool* known) const
{
    const auto it = handlers_.find(id);
    if (known) *known = it != handlers_.end();
    if (it == handlers_.end()) return false;
    return entries_[it->second].handler(id);
}

std::vector<int> CommandTable::idsWithoutHandler() const
{
    std::vector<int> missing;
    for (const CommandEntry& c : entries_)
        if (c.label && !handlers_.count(c.id)) missing.push_back(c.id);
    return missing;
}

} // namespace quillo
