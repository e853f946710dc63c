// The converter window as a program: shown to the user, or driven by a
// --script file with every dialog and message box answered by the script.
#pragma once

#include <string>

namespace quillo {

// `commandLine` fills the input field. Returns the exit status: 0 when the
// window was ended (or the script ran to its end), 1 when a script line
// failed (named on standard error), 2 when the script cannot be read.
int runFacesmithWindow(int& argc, char** argv, const std::string& commandLine, const std::string& scriptPath);

} // namespace quillo
