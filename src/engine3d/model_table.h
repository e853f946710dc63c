// Loading MD4 models into the engine: the table of at most 64 loaded
// models, and the steps that turn the shared reader's model into engine
// objects (prepare, normals, triangle lists, both batch chains).
#pragma once

#include <string>

#include "device_layer.h"
#include "objct.h"

namespace quillo::engine3d {

class ModelTable {
public:
    static constexpr int maxModels = 64;
    static constexpr int pathSize = 256;
    // Parts nested deeper than this are refused instead of recursing on.
    static constexpr int maxNesting = 200;

    explicit ModelTable(DeviceLayer& layer) : layer_(layer) {}
    ~ModelTable() { clear(); }
    ModelTable(const ModelTable&) = delete;
    ModelTable& operator=(const ModelTable&) = delete;

    // Reads the first object of an MD4 file into a new top-level OBJCT with
    // world matrices set. Null (after a message) when the table is full or
    // the file cannot be read; a slot is taken only by a model that loaded.
    // The file is read with dt starting at 0.0125 and the caller's dt is
    // restored afterwards.
    OBJCT* load(const std::string& path);

    int count() const { return count_; }
    OBJCT* model(int i) const { return i >= 0 && i < count_ ? models_[i] : nullptr; }
    const char* path(int i) const { return i >= 0 && i < count_ ? paths_[i] : ""; }
    // Destroys every model.
    void clear();

private:
    DeviceLayer& layer_;
    int count_ = 0;
    OBJCT* models_[maxModels] = {};
    char paths_[maxModels][pathSize] = {};
};

// The engine's prepare: rebuild, load the textures, make the materials in
// the material table, list the parts, add the object to `list` (or make its
// own list the object list), then claim vertices for the parts (the last
// part walked wins) and prepare nested objects (last first) with the same list.
void prepare(OBJCT& object, DeviceLayer& layer, PointerList<OBJCT>* list = nullptr);

} // namespace quillo::engine3d
