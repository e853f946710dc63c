#include "part_commands.h"

#include <array>
#include <cstdio>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "edit_helpers.h"
#include "model/messages.h"
#include "model/text_util.h"

namespace quillo {

namespace {

const char* const noParent = "親となる部分が選択されていません";
const char* const rootCannotGo = "第一部分は削除できません";

// A face's corners turned so that the smallest rotation comes first: equal
// for faces that are the same up to a cyclic rotation.
std::array<int32_t, 4> faceKey(const Face& f)
{
    std::array<int32_t, 4> best{f.vertexA, f.vertexB, f.vertexC, f.vertexD};
    for (int s = 1; s < 4; ++s) {
        std::array<int32_t, 4> turned{f.index(s), f.index((s + 1) % 4), f.index((s + 2) % 4), f.index((s + 3) % 4)};
        if (turned < best) best = turned;
    }
    return best;
}

void collectSubtree(ModelPart* part, std::vector<ModelPart*>& out)
{
    out.push_back(part);
    for (ModelPart* c : part->children) collectSubtree(c, out);
}

// Vertices claimed by a part that is about to be destroyed are handed to
// `heir`, so that no vertex keeps the address of a freed world block until
// the next prepare assigns the owners again.
void handOverVertices(ModelObject& object, const std::vector<ModelPart*>& gone, ModelPart& heir)
{
    std::unordered_set<const TransformBlock*> blocks;
    for (const ModelPart* p : gone) blocks.insert(&p->world);
    for (Vertex& v : object.vertices) {
        if (blocks.count(v.owner)) v.owner = &heir.world;
        if (blocks.count(v.ownerCopy)) v.ownerCopy = &heir.world;
    }
}

bool askName(EditContext& c, const std::string& prompt, std::string& name)
{
    return c.dialogs.inputBox(prompt, name) >= 0;
}

} // namespace

bool addPart(EditContext& c, bool insert)
{
    EditorState& s = c.state;
    if (!s.currentobject || !s.currentpart) {
        errorbox(formatMessage("%s", noParent));
        return false;
    }
    std::string typed;
    if (!askName(c, "追加する部分名を入力してください", typed)) return false;

    ModelPart* parent = s.currentpart;
    ModelPart* part = new ModelPart(true);
    copyToField(part->name, nameSize, fieldName(typed, nameSize));
    if (insert) {
        for (ModelPart* child : parent->children) part->children.append(child);
        parent->children.reset();
    }
    parent->children.append(part);
    part->place(parent->position[0], parent->position[1], parent->position[2], 0.0f, 0.0f, 0.0f);
    return true;
}

bool deletePart(EditContext& c, PartDelete kind)
{
    EditorState& s = c.state;
    if (!s.currentobject || !s.currentpart) return false;
    ModelObject& object = *s.currentobject;
    ModelPart* part = s.currentpart;
    ModelPart* parent = parentOf(object, part);
    if (!parent) {
        errorbox(formatMessage("%s", rootCannotGo));
        return false;
    }

    if (kind == PartDelete::node) {
        std::set<std::array<int32_t, 4>> present;
        for (const Face& f : parent->faces) present.insert(faceKey(f));
        for (const Face& f : part->faces)
            if (present.insert(faceKey(f)).second) parent->faces.append(f);
    }
    if (kind != PartDelete::withChildren) {
        for (ModelPart* child : part->children) parent->children.appendUnique(child);
        for (ModelObject* embedded : part->objects) parent->objects.appendUnique(embedded);
        // What moved to the parent must not be destroyed with the part.
        part->children.reset();
        part->objects.reset();
    }
    parent->children.removeAllEqual(part);

    std::vector<ModelPart*> gone;
    collectSubtree(part, gone);
    handOverVertices(object, gone, *parent);
    delete part;
    s.currentpart = parent;
    return true;
}

bool resizePart(EditContext& c)
{
    EditorState& s = c.state;
    if (!s.currentobject || !s.currentpart) return false;
    ModelPart& part = *s.currentpart;
    float f[3] = {1.0f, 1.0f, 1.0f};
    if (c.dialogs.magBox(f[0], f[1], f[2]) < 0) return false;
    if (!askbox(formatMessage("部分 %s を横 %g 縦 %g 奥行き %g の\n倍率で変形させます\nよろしいですか？", part.name,
                              double(f[0]), double(f[1]), double(f[2]))))
        return false;

    const float centre[3] = {part.position[0], part.position[1], part.position[2]};
    auto scaled = [&](float value, int axis) { return snapToGrid(centre[axis] + (value - centre[axis]) * f[axis]); };

    std::vector<ModelPart*> parts;
    collectSubtree(&part, parts);
    std::unordered_set<const TransformBlock*> blocks;
    for (ModelPart* p : parts) {
        blocks.insert(&p->world);
        p->place(scaled(p->position[0], 0), scaled(p->position[1], 1), scaled(p->position[2], 2), p->angles[0],
                 p->angles[1], p->angles[2]);
    }
    for (Vertex& v : s.currentobject->vertices)
        if (blocks.count(v.owner)) {
            v.x = scaled(v.x, 0);
            v.y = scaled(v.y, 1);
            v.z = scaled(v.z, 2);
        }
    return true;
}

bool renamePart(EditContext& c)
{
    EditorState& s = c.state;
    if (!s.currentobject || !s.currentpart) return false;
    std::string name = s.currentpart->name;
    if (!askName(c, std::string("部分 ") + s.currentpart->name + " の新しい名前を入力してください", name)) return false;
    copyToField(s.currentpart->name, nameSize, fieldName(name, nameSize));
    return false; // a name changes nothing that is drawn
}

bool renameObject(EditContext& c)
{
    EditorState& s = c.state;
    if (!s.currentobject) return false;
    std::string name = s.currentobject->name;
    if (!askName(c, std::string("物体 ") + s.currentobject->name + " の新しい名前を入力してください", name))
        return false;
    copyToField(s.currentobject->name, nameSize, fieldName(name, nameSize));
    return false;
}

bool reorderChildren(EditContext& c)
{
    EditorState& s = c.state;
    if (!s.currentobject || !s.currentpart) return false;
    PointerList<ModelPart>& children = s.currentpart->children;
    if (children.count() < 2) return false; // nothing to put in another order
    std::vector<std::string> names;
    std::vector<ModelPart*> before;
    for (ModelPart* p : children) {
        names.push_back(p->name);
        before.push_back(p);
    }
    std::vector<int> order;
    if (c.dialogs.reorderBox(names, order) != 1) return false;
    // Only a full permutation is taken: anything else would lose or double a child.
    std::vector<bool> seen(before.size(), false);
    if (order.size() != before.size()) return false;
    for (int i : order) {
        if (i < 0 || i >= int(before.size()) || seen[size_t(i)]) return false;
        seen[size_t(i)] = true;
    }
    children.reset();
    for (int i : order) children.append(before[size_t(i)]);
    return true;
}

bool changeParent(EditContext& c)
{
    EditorState& s = c.state;
    if (!s.currentobject || !s.currentpart) return false;
    ModelObject& object = *s.currentobject;
    ModelPart* part = s.currentpart;
    if (part == object.rootPart) return false;
    PointerList<ModelPart> candidates;
    collectParts(object.rootPart, candidates, part);
    std::vector<std::string> names;
    for (ModelPart* p : candidates) names.push_back(p->name);
    const int chosen = selectbox(c.dialogs, names, "新しい親を指定してください", 0);
    if (chosen < 0) return false;
    ModelPart* newParent = candidates[chosen];
    for (ModelPart* p : partsInOrder(object)) p->children.removeAllEqual(part);
    newParent->children.append(part);
    return true;
}

} // namespace quillo
