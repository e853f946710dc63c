// Menus and accelerator keys of an editor window, built from its command
// table. Every key is registered once, on one action per command, and
// works application-wide: also in full screen with the menu bar hidden and
// while a tool or selector window has the focus (not while a modal dialog
// is up).
#pragma once

#include <QKeySequence>
#include <QList>

#include <functional>
#include <map>

#include "command_table.h"

class QAction;
class QMainWindow;

namespace quillo {

// The key sequences of a key as the table names it ("g", "Shift+1", "Up").
// Shift+digit also matches the shifted character of US and Japanese
// layouts ("!" and so on), which is what arrives from most keyboards.
QList<QKeySequence> shortcutsFor(const char* key);

// Fills the menu bar of `window` and registers the keys; each action runs
// `run` with its command number. Returns the action of each command.
std::map<int, QAction*> buildCommandMenus(QMainWindow& window, const CommandTable& table,
                                          std::function<void(int)> run);

} // namespace quillo
