// quillomodel --export and --import: models to and from other programs' files.
#pragma once

#include <string>

namespace quillo {

// quillomodel --export OUT.gltf|OUT.glb|OUT.obj MODEL
int exportCommand(const std::string& out, const std::string& model);
// quillomodel --import IN.gltf|IN.glb|IN.obj OUT: reads another program's file and writes it as a model file.
int importCommand(const std::string& in, const std::string& out);

} // namespace quillo
