#include "pick_renumbering.h"

#include <vector>

#include "edit_helpers.h"

namespace quillo {

void renumberPicksForRedraw(EditorState& state)
{
    const ModelObject* o = state.currentobject;
    if (!o) return;
    const int count = o->vertices.count();
    std::vector<char> used(size_t(count), 0);
    for (const ModelPart* part : partsInOrder(*o))
        for (const Face& f : part->faces)
            for (int k = 0; k < 4; ++k)
                if (f.index(k) >= 0 && f.index(k) < count) used[size_t(f.index(k))] = 1;
    std::vector<int32_t> renumber(size_t(count), -1);
    int kept = 0;
    for (int i = 0; i < count; ++i)
        if (used[size_t(i)]) renumber[size_t(i)] = kept++;
    if (kept == count) return;
    const int removed = count - kept;

    // A pick of a vertex that goes is dropped; indices past the table drop
    // by the number removed, as the redraw does with face indices.
    auto pick = [&](int32_t& i) {
        if (i >= count) i -= removed;
        else if (i >= 0) i = renumber[size_t(i)];
    };
    pick(state.pickpoint);
    for (int32_t& c : state.pickface.c) pick(c);
    if (!state.pickface.valid()) state.pickface.clear();
    for (int32_t& c : state.heldface.c) pick(c);
    for (Face& f : state.selection)
        for (int k = 0; k < 4; ++k) pick(f.index(k));
}

} // namespace quillo
