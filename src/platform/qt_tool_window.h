// The modeless button windows that mirror the menus: "DMODE" (edit
// modes), "DTOOL" (face tools) and "DMOUS" (steps and mouse assignments).
// Each button hands its identifier to the editor as a command. A window
// is made when asked for and not open yet; closing destroys it.
#pragma once

#include <functional>
#include <vector>

#include <QDialog>
#include <QPointer>

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

const ToolWindowSpec& modeWindowSpec();  // 520 "DMODE" "ﾓｰﾄﾞ"
const ToolWindowSpec& faceWindowSpec();  // 523 "DTOOL" "面操作"
const ToolWindowSpec& mouseWindowSpec(); // 524 "DMOUS" "マウス設定"

class ToolWindow {
public:
    ToolWindow(const ToolWindowSpec& layout, std::function<void(int)> command, QWidget* owner = nullptr);
    ~ToolWindow();
    ToolWindow(const ToolWindow&) = delete;
    ToolWindow& operator=(const ToolWindow&) = delete;

    // Makes the window unless it is open already (then it is only raised).
    void show();
    void close();
    bool isOpen() const { return !window_.isNull(); }
    QDialog* window() const { return window_.data(); }
    const ToolWindowSpec& layout() const { return layout_; }

private:
    const ToolWindowSpec& layout_;
    std::function<void(int)> command_;
    QPointer<QWidget> owner_;
    QPointer<QDialog> window_;
};

} // namespace quillo
