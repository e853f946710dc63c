// The modeless list windows that follow the editor's current object
// ("DSELOBJ" "物体選択") and part ("DSELPRT" "部分選択"). The names are
// kept whether or not the window is open; the window is made on demand,
// destroyed when the user closes it, and can be shown again.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>
#include <QPointer>

class QListWidget;

namespace quillo {

struct SelectorKind {
    const char* resource;
    const char* title;
};
inline constexpr SelectorKind objectSelector = {"DSELOBJ", "物体選択"};
inline constexpr SelectorKind partSelector = {"DSELPRT", "部分選択"};

class Selector {
public:
    // `onSelect` gets the index the user picked in the list; it may call
    // fill() and select() of this selector.
    Selector(const SelectorKind& kind, std::function<void(int)> onSelect, QWidget* owner = nullptr);
    ~Selector();
    Selector(const Selector&) = delete;
    Selector& operator=(const Selector&) = delete;

    // Takes the names (each cut to 255 bytes), makes index 0 current and
    // refills the list when the window is open. Any number of names fits.
    void fill(const std::vector<std::string>& names);
    // Makes `index` current; the list's selection follows without calling
    // back. An index outside the names selects nothing.
    void select(int index);
    // Opens the window, or when it is open selects the current index again.
    void show();
    void close();

    bool isOpen() const { return !window_.isNull(); }
    QDialog* window() const { return window_.data(); }
    int current() const { return current_; }
    const std::vector<std::string>& names() const { return names_; }

private:
    void refill();
    void showCurrent();
    void picked(int row);

    SelectorKind kind_;
    std::function<void(int)> onSelect_;
    QPointer<QWidget> owner_;
    QPointer<QDialog> window_;
    QListWidget* list_ = nullptr;
    std::vector<std::string> names_;
    int current_ = 0;
    bool quiet_ = false;     // the list is being changed by us, not the user
    bool notifying_ = false; // inside onSelect_
};

} // namespace quillo
