// One run of the glTF and OBJ import fuzz targets on one input. Each
// returns "" when every property held, otherwise what broke; crashes and
// undefined behaviour are left to the sanitizers. The libFuzzer entry
// points and the regression tests (tests/fuzz/gltf, tests/fuzz/obj) call them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillo::fuzz {

// The input as a .glb file (or a .gltf file when it starts with "{"):
// a model that reads has every face inside its vertex table and no face twice.
std::string gltf(const uint8_t* data, size_t size);

// The input as an .obj file, with the same properties.
std::string obj(const uint8_t* data, size_t size);

} // namespace quillo::fuzz
