// Keeping picks on their vertices across the central redraw.
#pragma once

#include "editor_state.h"

namespace quillo {

// Picks and selected faces name vertices by index. The redraw drops every
// vertex no face uses and renumbers the rest; this renumbers the picks of
// `state` the same way beforehand, so they keep naming the same vertices
// (a pick whose vertex goes becomes -1).
void renumberPicksForRedraw(EditorState& state);

} // namespace quillo
