// The converter window's two file dialogs ("参照"): the drawing to read and
// the model to write. Shown with Qt, or answered from a --script queue.
#pragma once

#include <string>

#include "platform/dialogs.h"

class QWidget;

namespace quillo {

class ScriptedDialogs;

// The filter list of both dialogs, in this order.
extern const FileFilter dxfFileFilters[2];

class DxfFileChooser {
public:
    virtual ~DxfFileChooser() = default;
    // `path` comes in as the name to offer first (may be empty) and goes out
    // as the chosen path. False when cancelled; `path` is then unchanged.
    virtual bool chooseInput(std::string& path) = 0;
    virtual bool chooseOutput(std::string& path) = 0;
};

// The open dialog starts on the first filter, takes only an existing file; the save dialog starts
// on the second, needs an existing folder, asks before replacing a file and
// adds no extension.
class QtDxfFileChooser : public DxfFileChooser {
public:
    explicit QtDxfFileChooser(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    bool chooseInput(std::string& path) override;
    bool chooseOutput(std::string& path) override;

private:
    QWidget* owner_;
};

// Takes "answer file PATH" or "answer cancel" from the script's queue.
class ScriptedDxfFileChooser : public DxfFileChooser {
public:
    explicit ScriptedDxfFileChooser(ScriptedDialogs& dialogs) : dialogs_(dialogs) {}
    bool chooseInput(std::string& path) override;
    bool chooseOutput(std::string& path) override;

private:
    ScriptedDialogs& dialogs_;
};

} // namespace quillo
