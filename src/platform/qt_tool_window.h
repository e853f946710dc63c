// The modeless button windows that mirror the menus, made from a layout
// (the model editor has "DMODE", "DTOOL" and "DMOUS"). Each button hands
// its identifier to the editor as a command. A window
// is made when asked for and not open yet; closing destroys it.
#pragma once

#include <functional>
#include <vector>

#include <QDialog>
#include <QPointer>

#include "tool_window_spec.h"

namespace quillo {

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
