// quillomodel's window program on the shared start-up skeleton, with real
// dialogs or, for --script runs, with scripted ones.
#pragma once

#include <string>

namespace quillo {

struct EditorRunOptions {
    std::string file;       // a model to open (when it can be read)
    std::string scriptPath; // empty: an interactive session
};

// Runs the editor; returns the program's exit status.
int runEditor(int& argc, char** argv, const EditorRunOptions& options);

} // namespace quillo
