// facesmith: converts the 3DFACEs of a DXF drawing into an MD4 model, in
// its window or on the command line. On the command line, messages go to
// standard error through the default message sink.
#include <cstdio>
#include <string>
#include <vector>

#include "dxfconv/convert_dxf.h"
#include "dxfconv/dxf_command_line.h"
#ifdef FACESMITH_WINDOW
#include "facesmith_app.h"
#endif

namespace {

int usageError(const std::string& why)
{
    std::fprintf(stderr, "facesmith: %s\n%s", why.c_str(), quillo::facesmithUsage().c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--script") {
        if (args.size() < 2 || args.size() > 3) return usageError("--script takes a script and at most one input");
#ifdef FACESMITH_WINDOW
        int qtArgc = 1;
        return quillo::runFacesmithWindow(qtArgc, argv, args.size() == 3 ? args[2] : std::string(), args[1]);
#else
        return usageError("this build has no converter window");
#endif
    }
    quillo::FacesmithCommand command = quillo::parseFacesmithArguments(args);
    switch (command.kind) {
    case quillo::FacesmithCommand::help:
        std::fputs(quillo::facesmithUsage().c_str(), stdout);
        return 0;
    case quillo::FacesmithCommand::usageError:
        return usageError(command.error);
    case quillo::FacesmithCommand::window: {
#ifdef FACESMITH_WINDOW
        int qtArgc = 1;
        return quillo::runFacesmithWindow(qtArgc, argv, command.options.inputPath, std::string());
#else
        return usageError("this build has no converter window; give an option or an output path");
#endif
    }
    case quillo::FacesmithCommand::convert:
        break;
    }
    return quillo::runConversion(command.options) ? 0 : 1;
}
