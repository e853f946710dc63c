// Textures of imported models. The faces an imported file textures with
// one picture and one colour become one planar texture of the object: the
// plane and rectangle are fitted to their texture coordinates
// (texture_fit.h), the picture becomes an 8-bit BMP pattern file beside
// the model (texture_picture.h), and the faces that fit get a colour that
// carries the texture. Faces whose coordinates fit no planar mapping keep
// their colour alone. Shared by the glTF and OBJ readers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/model.h"
#include "texture_fit.h"
#include "texture_picture.h"

namespace quillo {

// A file an import wants written beside the model.
struct ImportFile {
    std::string path;
    std::string bytes;
};

// What the caller wants of textures, and what an import made of them.
struct TextureImport {
    // Pattern files are named <stem>_<object>_<texture>.bmp; "" leaves textures out.
    std::string stem;
    std::vector<ImportFile> files; // the pattern files the model's textures name, still to be written
    int textures = 0;              // textures made
    int colourOnly = 0;            // textured faces that keep their colour alone
};

// The stem of the pattern files of a model to be saved as `model`: its
// path without the ending, made absolute with the current directory.
std::string importTextureStem(const std::string& model);

// Writes every file atomically. False with `failed` set to the path of the
// first that cannot be written (those before it stay written).
bool writeImportFiles(const std::vector<ImportFile>& files, std::string& failed);

// A face (or triangle) the file textures: where its colour is, the
// picture (an id of the reader's) and its drawn triangles with their coordinates.
struct TexturedFace {
    int32_t* material;
    int32_t picture;
    std::vector<TexturedTriangle> triangles;
};

struct ImportTriangle;

// Adds a textured face for each of `triangles` that has a picture.
void addTexturedTriangles(std::vector<ImportTriangle>& triangles, std::vector<TexturedFace>& faces);

// The decoded picture of an id with its name, or null when it cannot be had.
using PictureSource = std::function<const RgbaPicture*(int32_t picture, std::string& name)>;

// Gives the faces of `object` (number `serial` of the import) their
// textures: one per picture and colour, fitted over all its faces; faces
// that fit get the textured colour, the others keep theirs.
void resolveTextures(ModelObject& object, int serial, std::vector<TexturedFace>& faces, const PictureSource& pictures,
                     TextureImport& import);

} // namespace quillo
