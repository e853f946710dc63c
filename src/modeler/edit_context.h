// What the editing commands (part, colour, texture and face tools) work with.
#pragma once

#include "editor_state.h"
#include "model/colour_table.h"
#include "platform/model_dialogs.h"

namespace quillo {

struct EditContext {
    EditorState& state;
    ModelDialogs& dialogs;
    GMTBL& table;
};


} // namespace quillo
