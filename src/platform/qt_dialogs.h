// The dialog boxes of the editors as real Qt dialogs. Each modal box is
// owned by the main window, clears the editor's `active` flag while it is
// up and puts the saved value back afterwards.
#pragma once

#include <QPointer>
#include <QWidget>

#include "dialogs.h"

namespace quillo {

class GMTBL;

class QtDialogs : public Dialogs {
public:
    // `owner`: the main window (may be null, e.g. before it exists);
    // `active`: the editor's flag (may be null).
    explicit QtDialogs(QWidget* owner = nullptr, bool* active = nullptr);

    void setOwner(QWidget* owner) { owner_ = owner; }
    void setActiveFlag(bool* active) { active_ = active; }
    // The colour table whose palette shows the colour box's preview in
    // entries 10-25; the table's applyPalette() hands each change to the
    // display attached to it. Without a table the preview stays in the box.
    void attachPalette(GMTBL* table) { palette_ = table; }
    // Title of the message boxes ("Message Box"; the screen saver uses its own).
    void setMessageTitle(const char* title) { messageTitle_ = title; }

    void error(const std::string& text) override;
    bool ask(const std::string& text) override;
    bool chooseFile(FileType type, std::string& path) override;
    bool chooseSaveFile(FileType type, std::string& path) override;
    int inputBox(const std::string& prompt, std::string& answer) override;
    int selectBoxShown(const std::vector<std::string>& names, const std::string& text, int start) override;
    int colourBox(ColourValues& values) override;
    int paletteBox(const GMTBL& table) override;
    int textureBox(TextureChoice& choice) override;
    int magBox(float& x, float& y, float& z) override;
    int reorderBox(const std::vector<std::string>& names, std::vector<int>& order) override;
    int optionsBox(EditorSettings& settings) override;

private:
    QPointer<QWidget> owner_;
    bool* active_;
    GMTBL* palette_ = nullptr;
    const char* messageTitle_;
};

} // namespace quillo
