// What the main windows of both editors share: menus and keys from the
// command table, the `active` flag that modal boxes clear, the tool and
// selector windows that commands show, help pages, the Alt key that shows
// the menu bar in full screen, and the window's size and place remembered
// between runs.
#pragma once

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "command_table.h"
#include "editor_host.h"
#include "help_page.h"
#include "tool_window_spec.h"

class QAction;

namespace quillo {

class Dialogs;
class Selector;
class SettingsStore;
class ToolWindow;
struct SelectorKind;

class EditorMainWindow : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit EditorMainWindow(bool fullscreen);
    ~EditorMainWindow() override;

    // Builds the menus and keys from `table`; each runs `dispatch` (true:
    // draw again) unless the window is inactive.
    void setCommands(const CommandTable& table, std::function<bool(int)> dispatch);
    // Runs a command as its menu item, key or tool button does.
    void runCommand(int command);
    QAction* action(int command) const;

    // A selector window that command `command` shows; `onSelect` gets the
    // index the user picked.
    Selector& addSelector(int command, const SelectorKind& kind, std::function<void(int)> onSelect);
    // A tool window whose buttons run their commands.
    ToolWindow& addToolWindow(const ToolWindowSpec& layout);
    Selector* selector(int command) const;
    ToolWindow* toolWindow(int command) const;

    // The size and place of the window are read from value "Window" of
    // `store` now (when it holds them) and written there when it closes.
    void rememberGeometry(SettingsStore& store);
    // Shows the window at start-up: in full screen after telling how the
    // menu bar comes back, otherwise as a normal window.
    void showAtStart(Dialogs& dialogs);
    // How help pages open (the desktop browser unless a script says otherwise).
    void setHelpOpener(HelpOpener open) { helpOpener_ = std::move(open); }

    // EditorHost
    void fillSelector(int which, const std::vector<std::string>& names, int current) override;
    void showToolWindow(int command) override;
    void closeMainWindow() override { close(); }
    void openHelp(const std::string& page) override;
    bool fullscreen() const override { return fullscreen_; }
    // For the script verbs "screenshot" and "resize" of both editors: a
    // picture of the whole window, menus included, and a new window size
    // (the drawing area follows within its limits).
    bool saveWindowPicture(const std::string& path, std::string& why);
    bool resizeAndSettle(int width, int height); // true
    // The recent files stand in commands first … first + 7 of the table;
    // their items show the files and hide when unused.
    void setRecentCommands(int first) { recentFirst_ = first; }
    void recentFilesChanged(const std::vector<std::string>& files) override;

    // Cleared while a modal box is up or start-up is not over: then
    // commands and the mouse do nothing.
    bool active = true;

protected:
    // After each command; `redraw` when it asked for the view to be drawn again.
    virtual void commandDone(bool /*redraw*/) {}
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    bool fullscreen_;

private:
    std::function<bool(int)> dispatch_;
    std::map<int, QAction*> actions_;
    std::map<int, std::unique_ptr<Selector>> selectors_;
    std::map<int, std::unique_ptr<ToolWindow>> toolWindows_;
    SettingsStore* geometryStore_ = nullptr;
    HelpOpener helpOpener_;
    int recentFirst_ = 0;
};

// "x y width height" of a remembered window; false when the text is not four numbers
// or the size is not positive.
bool parseWindowGeometry(const std::string& text, int& x, int& y, int& width, int& height);

} // namespace quillo
