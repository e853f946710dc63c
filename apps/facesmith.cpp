// facesmith: converts the 3DFACEs of a DXF drawing into an MD4 model.
// Messages go to standard error through the default message sink.
#include <cstdio>
#include <string>
#include <vector>

#include "dxfconv/convert_dxf.h"
#include "dxfconv/dxf_command_line.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    quillo::FacesmithCommand command = quillo::parseFacesmithArguments(args);
    switch (command.kind) {
    case quillo::FacesmithCommand::help:
        std::fputs(quillo::facesmithUsage().c_str(), stdout);
        return 0;
    case quillo::FacesmithCommand::usageError:
        std::fprintf(stderr, "facesmith: %s\n%s", command.error.c_str(), quillo::facesmithUsage().c_str());
        return 2;
    case quillo::FacesmithCommand::window:
        std::fprintf(stderr,
                     "facesmith: this build has no converter window; give an option or an output\n"
                     "path to convert on the command line.\n%s",
                     quillo::facesmithUsage().c_str());
        return 2;
    case quillo::FacesmithCommand::convert:
        break;
    }
    return quillo::runConversion(command.options) ? 0 : 1;
}
