// The command-line modes of quilloanime that need no display: --info and
// --convert for animation (MD7) and motion (MD6) files.
#pragma once

#include <string>

namespace quillo {

// Dispatches "--info FILE [MODEL]" and "--convert IN OUT [MODEL]". Returns
// the exit code, or -1 when the arguments are not one of these modes.
int animeCommand(int argc, char** argv);

// A readable summary of an animation file: its tables, its scenes with
// their models, record and header sizes and frame counts.
int animationInfo(const std::string& path, std::string& out);
// A readable summary of a motion file; with a model, whether it fits the
// model's object.
int motionInfo(const std::string& path, const std::string& model, std::string& out);

int convertAnimation(const std::string& in, const std::string& out);
int convertMotion(const std::string& in, const std::string& out, const std::string& model);

} // namespace quillo
