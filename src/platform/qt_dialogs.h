// The common dialog boxes of the editors as real Qt dialogs. Each modal box is
// owned by the main window, clears the editor's `active` flag while it is
// up and puts the saved value back afterwards.
#pragma once

#include <QPointer>
#include <QWidget>

#include "control_ids.h"
#include "dialogs.h"

namespace quillo {

class QtDialogs : public virtual Dialogs {
public:
    // `owner`: the main window (may be null, e.g. before it exists);
    // `active`: the editor's flag (may be null).
    explicit QtDialogs(QWidget* owner = nullptr, bool* active = nullptr);

    void setOwner(QWidget* owner) { owner_ = owner; }
    void setActiveFlag(bool* active) { active_ = active; }
    // The identifiers of the reorder box's "前へ" and "後ろへ" buttons.
    void setReorderButtons(int forward, int backward)
    {
        forward_ = forward;
        backward_ = backward;
    }
    // Title of the message boxes ("Message Box"; the screen saver uses its own).
    void setMessageTitle(const char* title) { messageTitle_ = title; }

    void error(const std::string& text) override;
    bool ask(const std::string& text) override;
    bool chooseFile(FileType type, std::string& path) override;
    bool chooseSaveFile(FileType type, std::string& path) override;
    int inputBox(const std::string& prompt, std::string& answer) override;
    int selectBoxShown(const std::vector<std::string>& names, const std::string& text, int start) override;
    int reorderBox(const std::vector<std::string>& names, std::vector<int>& order) override;

protected:
    QPointer<QWidget> owner_;
    bool* active_;

private:
    const char* messageTitle_;
    int forward_ = controls::forward, backward_ = controls::backward;
};

} // namespace quillo
