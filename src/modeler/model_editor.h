// The model editor without its window: the document, the colour table, the
// working state and the command dispatcher. The window (or a test, or a
// --script run) feeds it commands and mouse input and draws what it says.
#pragma once

#include <string>
#include <vector>

#include "edit_context.h"
#include "editor_state.h"
#include "modeler_commands.h"
#include "recovery.h"
#include "undo_history.h"
#include "exchange/gltf_writer.h"
#include "model/colour_table.h"
#include "model/model.h"
#include "platform/model_dialogs.h"
#include "platform/editor_host.h"
#include "platform/editor_settings.h"
#include "platform/pose_steps.h"
#include "platform/recent_files.h"
#include "platform/overlay.h"
#include "softrender/frame.h"
#include "softrender/redraw.h"

namespace quillo {

class ModelEditor {
public:
    ModelEditor(ModelDialogs& dialogs, SettingsStore& store, EditorHost* host = nullptr);
    ~ModelEditor();
    ModelEditor(const ModelEditor&) = delete;
    ModelEditor& operator=(const ModelEditor&) = delete;

    // Runs one command through the command table; true when the view must
    // be drawn again. Unknown numbers do nothing.
    bool dispatch(int command);
    bool dispatch(Cmd command) { return dispatch(id(command)); }
    const CommandTable& commands() const { return commands_; }
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
    float moveDistance() const { return quillo::moveDistance(state.movestep, dt); }
    float rotationAngle() const { return quillo::rotationAngle(state.rotstep); }

    // Command handlers (the rows of the command table call these).
    // Pose commands: the working pose moves or turns by one step and is applied.
    bool poseCommand(int command);
    // Applies the working pose to what the mode poses; false when nothing was read.
    bool applyPose();
    // Step choices 514-519 and 600-605 and the mouse drag assignments.
    bool chooseStep(int command);
    bool openCommand();
    bool insertCommand();
    bool closeCommand();
    bool saveCommand();
    bool saveAsCommand();
    // Other programs' files: import replaces the document with an unsaved
    // one, export writes the document (glTF or OBJ, by the name's ending).
    bool importCommand();
    bool exportCommand();
    bool importFile(const std::string& path);
    // Opens recent file `index` (0 = newest); a file that is gone leaves the list with a message.
    bool openRecent(int index);
    const RecentFiles& recentFiles() const { return recent_; }
    // The history's generation when the document was last opened or saved
    // (never equal to it for an imported or recovered document).
    uint64_t savedGeneration() const { return savedGeneration_; }
    // At start-up: a recovery file left by an earlier run is offered; Yes
    // opens it as an unsaved document, No deletes it.
    void offerRecovery(Recovery& recovery);
    // The recovery file this editor keeps up to date (null: none).
    void setRecovery(Recovery* recovery) { recovery_ = recovery; }
    // Writes the recovery file when the document holds unsaved changes (the
    // window's two-minute timer, or a script's "autosave"); false when it failed.
    bool writeRecovery();
    bool exportFile(const std::string& path);
    // Turns texture patterns into PNG for exports; the window gives one over its image library.
    void setPngEncoder(PngEncoder encoder) { png_ = std::move(encoder); }
    bool options();
    // Undo and redo: the document goes back (forward) one step of its history.
    bool undoCommand();
    bool redoCommand();
    UndoHistory& history() { return history_; }
    // Where the user works now, as indices that outlive the objects.
    EditCursor cursor() const;
    bool zoomBy(int32_t (*rule)(int32_t));
    bool zoomTo();
    bool scaleFactor();
    // After an editing command: when it changed the model, the view is
    // rebuilt and the world blocks recomputed. Returns `changed`.
    bool edited(bool changed);
    EditContext editContext() { return EditContext{state, dialogs_, table}; }
    EditorHost& host() { return *host_; }

    EditorState state;
    ModelDocument document;
    GMTBL table;
    FrameLists lists;
    EditorSettings settings;

private:
    // Replaces the document with `loaded`'s objects.
    void adopt(ModelDocument& loaded);
    void readPose();
    bool save(const std::string& path, bool partial);
    void fillPartSelector();
    int32_t mirrorPartner(int32_t point) const;
    void movePartGeometry(ModelPart& part, float dx, float dy, float dz);
    // After command `command` (begun at `before`): a step of the history
    // when the document changed.
    void recordChange(int command, const EditCursor& before);
    ChangeKey changeKey(int command) const;
    // The view after a restore, and the cursor put back.
    void afterRestore(const RestoreResult& result, const EditCursor& cursor);
    void putCursor(const EditCursor& cursor);
    void fillObjectSelector();

    ModelDialogs& dialogs_;
    SettingsStore& store_;
    EditorHost defaultHost_;
    EditorHost* host_;
    MessageSink* previousSink_;
    CommandTable commands_;
    WorkingPose pose_;
    bool poseRead_ = false;
    UndoHistory history_;
    PngEncoder png_;
    RecentFiles recent_;
    uint64_t savedGeneration_ = 0;
    Recovery* recovery_ = nullptr;
    static constexpr uint64_t neverSaved = ~uint64_t(0);
    // `path` becomes the newest recent file, in the store and the menu.
    void noteRecent(const std::string& path);
    std::vector<Face> bandHits_;
    bool banding_ = false;
    bool bandMoved_ = false;
    int bandx_ = 0, bandy_ = 0; // the corner of the band under the mouse
};

} // namespace quillo
