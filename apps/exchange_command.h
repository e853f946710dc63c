// quillomodel --export and --import: models to and from other programs' files.
#pragma once

#include <string>

namespace quillo {

// quillomodel --export OUT.gltf|OUT.glb MODEL
int exportCommand(const std::string& out, const std::string& model);

} // namespace quillo
