// What the editing commands work with, and what they tell the dispatcher
// to do afterwards.
#pragma once

#include "editor_state.h"
#include "model/colour_table.h"
#include "platform/dialogs.h"

namespace quillo {

struct EditContext {
    EditorState& state;
    Dialogs& dialogs;
    GMTBL& table;
};

struct EditOutcome {
    bool handled = false; // the command is one of the editing commands
    bool rebuild = false; // the model changed: recompute the world blocks and redraw
    bool pose = false;    // apply the working pose afterwards and draw the view again
};

} // namespace quillo
