// quilloanime's window program on the shared start-up skeleton, with real
// dialogs and the sound card or, for --script runs, with scripted dialogs
// and a sound device that writes down its calls.
#pragma once

#include <string>

namespace quillo::animeditor {

struct AnimeRunOptions {
    std::string file;       // an animation to open instead of the default file (when it can be read)
    std::string scriptPath; // empty: an interactive session
};

int runAnimeEditor(int& argc, char** argv, const AnimeRunOptions& options);

} // namespace quillo::animeditor
