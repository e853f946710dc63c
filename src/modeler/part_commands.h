// The part-tree commands of the model editor (400-409): add, insert, the
// three deletes, resize, rename part and object, reorder the children and
// move a part under another parent. Each returns true when the model
// changed, so that the caller recomputes the world blocks and redraws.
#pragma once

#include "edit_context.h"

namespace quillo {

enum class PartDelete {
    node,         // 402: faces, children and embedded objects go to the parent
    withFaces,    // 403: the faces go with the part, the rest to the parent
    withChildren, // 404: everything below the part goes with it
};

// 400 and 401: a new empty child of `currentpart`; when inserting it also
// takes over all of `currentpart`'s children.
bool addPart(EditContext& c, bool insert);
bool deletePart(EditContext& c, PartDelete kind);
// 405: scales `currentpart` and its subtree about the part's position.
bool resizePart(EditContext& c);
// 406 and 407: the new name, made fit for the file (one word, at most 79 bytes).
bool renamePart(EditContext& c);
bool renameObject(EditContext& c);
// 408: the children of `currentpart` in the order the reorder box returns.
bool reorderChildren(EditContext& c);
// 409: `currentpart` moves under a part chosen among those that are not
// in its own subtree.
bool changeParent(EditContext& c);

} // namespace quillo
