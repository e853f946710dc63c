// Image sequences of an animation for making a video: the frames of one
// scene, or the first steps of playback across scenes in the saver's order,
// each drawn by the engine and handed to a writer with its number.
#pragma once

#include <functional>
#include <string>

namespace quillo::animeditor {

class AnimeEditor;

// Gets each picture's number (from 0) after the engine drew it; false stops.
using PictureWriter = std::function<bool(int n, std::string& why)>;

// Frames `from` .. `to` (both inclusive, -1: the last) of scene `scene`
// (counted from 0). False with `why` set for a range outside the scene or a
// failed write; the scene's frame index is put back afterwards.
bool exportSceneFrames(AnimeEditor& editor, int scene, int from, int to, const PictureWriter& write, std::string& why);

// The first `steps` playback steps from the start of the first scene.
bool exportPlayback(AnimeEditor& editor, int steps, const PictureWriter& write, std::string& why);

// "連番画像の書き出し": asks for a file pattern and writes the frames of the
// current scene through the editor's frameWriter.
bool exportFramesCommand(AnimeEditor& editor);

} // namespace quillo::animeditor
