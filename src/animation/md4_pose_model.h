// Models read from MD4 files into plain poses, without the 3D engine: enough
// for the command-line tools (record sizes, patterns, poses) and for tests
// with real model files.
#pragma once

#include "anim_model.h"

namespace quillo::anim {

// Loads the first object of a model file with the objects nested in it,
// in the engine's order: the object, then for each part in pre-order its
// nested objects from the last to the first, each followed by its own.
class Md4PoseLoader : public ModelLoader {
public:
    std::unique_ptr<AnimModel> load(const std::string& path) override;
};

} // namespace quillo::anim
