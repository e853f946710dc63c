// MD7 animation files: the optional SERIF (dialogue), MUSIC and HAIKEI
// (background) tables, then BAMEN with every scene: its name, "OBJCT", the
// model paths, "data", the frame count and the raw frame records.
#pragma once

#include <string>
#include <string_view>

namespace quillo::anim {

class AnimationDocument;

enum class Md7Status {
    ok,
    cannotOpen,   // nothing read; the document is as it was
    damaged,      // sizes or counts beyond the file: what was whole is kept
    missingModel, // a model could not be added: that scene's frames are left out
};

// Replaces the document with the file. A file that cannot be read leaves
// the document untouched. When the file is damaged or a model is missing,
// the document keeps every complete part before the fault, says why, and
// forgets its file name so that a save cannot overwrite the file with it.
// The first scene is then made current and its frame 0 applied.
Md7Status readAnimation(AnimationDocument& doc, const std::string& path);

// Reads MD7 bytes as though they came from a file in `directory`.
Md7Status parseAnimation(AnimationDocument& doc, std::string_view bytes, const std::string& directory);

// The file's bytes for the document, paths written relative to `directory`;
// false, with a message, when a name, line or path would not read back.
bool animationFileBytes(const AnimationDocument& doc, const std::string& directory, std::string& bytes);

// Writes the document to `path` atomically; the file's directory becomes the
// animation directory first, and on success `path` becomes the document's
// file. "ファイル %s に書き込めません" when the file cannot be written.
bool writeAnimation(AnimationDocument& doc, const std::string& path);

} // namespace quillo::anim
