// What an editor's command code asks of its window. The defaults do
// nothing, which is what a run without a window wants.
#pragma once

#include <string>
#include <vector>

namespace quillo {

class EditorHost {
public:
    virtual ~EditorHost() = default;
    // Fills the selector window that command `which` shows with `names`,
    // marking entry `current`.
    virtual void fillSelector(int /*which*/, const std::vector<std::string>&, int /*current*/) {}
    // Shows the tool or selector window of command `command`.
    virtual void showToolWindow(int /*command*/) {}
    virtual void closeMainWindow() {}
    // Opens the help page `page` (a file name in the help folder).
    virtual void openHelp(const std::string& /*page*/) {}
    virtual void requestRepaint() {}
    virtual bool fullscreen() const { return false; }
    // The recent-files list changed: the menu shows `files`, newest first.
    virtual void recentFilesChanged(const std::vector<std::string>& /*files*/) {}
};

} // namespace quillo
