// The model editor without its window: the document, the colour table, the
// working state and the command dispatcher. The window (or a test, or a
// --script run) feeds it commands and mouse input and draws what it says.
#pragma once

#include <string>
#include <vector>

#include "editor_state.h"
#include "model/colour_table.h"
#include "model/model.h"
#include "platform/dialogs.h"
#include "platform/editor_settings.h"
#include "platform/overlay.h"
#include "softrender/frame.h"
#include "softrender/redraw.h"

namespace quillo {

// What the editor asks of its window. The defaults do nothing, which is
// what a run without a window wants.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    virtual void fillObjectSelector(const std::vector<std::string>&, int) {}
    virtual void fillPartSelector(const std::vector<std::string>&, int) {}
    virtual void showObjectSelector() {}
    virtual void showPartSelector() {}
    // 520 mode window, 523 face-tool window, 524 mouse window.
    virtual void showToolWindow(int) {}
    virtual void closeMainWindow() {}
    virtual void openHelp() {}
    virtual void requestRepaint() {}
    virtual bool fullscreen() const { return false; }
};

class ModelEditor {
public:
    ModelEditor(Dialogs& dialogs, SettingsStore& store, EditorHost* host = nullptr);
    ~ModelEditor();
    ModelEditor(const ModelEditor&) = delete;
    ModelEditor& operator=(const ModelEditor&) = delete;

    // Runs one command; true when the view must be drawn again.
    bool dispatch(int command);
    // A mouse sample (command 0): position in drawing-area pixels and the
    // button sum (right 1, middle 2, left 4). True when the view changed.
    bool mouse(int x, int y, int buttons);

    // The left button: press starts a rubber band at the press position,
    // moves while held grow it, release selects or (without a move) picks.
    void leftPress(int x, int y);
    void leftDrag(int x, int y);
    void leftRelease(int x, int y);
    // The faces the rubber band covers while it is being dragged.
    const std::vector<Face>& bandHits() const { return bandHits_; }
    bool banding() const { return banding_; }

    // Loads the start-up model (the command-line file if it can be read,
    // else the default file) and runs the object choice.
    void start(const std::string& commandLineFile);
    // Replaces the document with the file's objects; false (document kept)
    // when it cannot be read.
    bool openFile(const std::string& path);
    void closeModel();

    // Rebuilds the colour table, objects, polygons and selectors.
    void redraw();
    // Draws one frame into `frame`.
    void drawFrame(Frame& frame);
    Overlay overlay() const;

    void objectChoice();
    bool partChoice();
    void selectobject(int index);
    void selectpart(int index);
    // Every object of the document: each top-level object's object list.
    std::vector<ModelObject*> allObjects() const;

    // Distance and angle of one step.
    float moveDistance() const;
    float rotationAngle() const;

    EditorState state;
    ModelDocument document;
    GMTBL table;
    FrameLists lists;
    EditorSettings settings;

private:
    bool poseCommand(int command);
    void readPose();
    bool applyPose();
    bool fileCommand(int command);
    bool save(const std::string& path, bool partial);
    bool zoomTo();
    bool scaleFactor();
    bool options();
    void fillPartSelector();
    int32_t mirrorPartner(int32_t point) const;
    void movePartGeometry(ModelPart& part, float dx, float dy, float dz);

    Dialogs& dialogs_;
    SettingsStore& store_;
    EditorHost defaultHost_;
    EditorHost* host_;
    MessageSink* previousSink_;
    float pose_[6] = {};
    bool poseRead_ = false;
    std::vector<Face> bandHits_;
    bool banding_ = false;
    bool bandMoved_ = false;
};

} // namespace quillo
