// The editing commands of the model editor in one entry for the
// dispatcher: face tools (500-513, 618, 619), part commands (400-409) and
// colour, texture and pattern commands (700-706, 201, 626-629).
#pragma once

#include "edit_context.h"

namespace quillo {

EditOutcome editingCommand(int command, EditContext& c);

// Picks and selected faces name vertices by index. The redraw drops every
// vertex no face uses and renumbers the rest; this renumbers the picks of
// `state` the same way beforehand, so they keep naming the same vertices
// (a pick whose vertex goes becomes -1).
void renumberPicksForRedraw(EditorState& state);

} // namespace quillo
