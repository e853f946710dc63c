#include "dxf_command_line.h"

#include <limits>

#include "dxf_pair_reader.h"

namespace quillo {

namespace {

FacesmithCommand usageError(std::string text)
{
    FacesmithCommand command;
    command.kind = FacesmithCommand::usageError;
    command.error = std::move(text);
    return command;
}

float parseSize(const std::string& text)
{
    float size;
    if (parseDxfFloat(text, size)) return size;
    return std::numeric_limits<float>::quiet_NaN();
}

} // namespace

FacesmithCommand parseFacesmithArguments(const std::vector<std::string>& args)
{
    FacesmithCommand command;
    ConversionOptions& o = command.options;
    std::vector<std::string> paths;
    bool anyOption = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            paths.push_back(a);
            continue;
        }
        anyOption = true;
        if (a == "--") {
            optionsEnded = true;
        } else if (a == "-h" || a == "--help") {
            command.kind = FacesmithCommand::help;
            return command;
        } else if (a == "--size") {
            if (i + 1 >= args.size()) return usageError("--size needs a value in metres");
            o.modelSize = parseSize(args[++i]);
        } else if (a.rfind("--size=", 0) == 0) {
            o.modelSize = parseSize(a.substr(7));
        } else if (a == "--fast") {
            o.fast = true;
        } else if (a == "--both-sides") {
            o.bothSides = true;
        } else if (a == "--reverse") {
            o.reverse = true;
        } else if (a == "--group-by-colour") {
            o.groupByColour = true;
        } else if (a == "--all-white") {
            o.allWhite = true;
        } else {
            return usageError("unknown option " + a);
        }
    }
    if (paths.size() > 2) return usageError("too many paths");
    if (!anyOption && paths.size() <= 1) {
        command.kind = FacesmithCommand::window;
        if (!paths.empty()) o.inputPath = paths[0];
        return command;
    }
    if (paths.empty()) return usageError("no input file");
    command.kind = FacesmithCommand::convert;
    o.inputPath = paths[0];
    o.outputPath = paths.size() == 2 ? paths[1] : defaultOutputName(paths[0]);
    return command;
}

std::string facesmithUsage()
{
    return "usage: facesmith [options] INPUT.dxf [OUTPUT.md4]\n"
           "Converts the 3DFACEs of a DXF drawing into an MD4 model.\n"
           "  --size METRES       largest extent of the model in metres (default 1.6)\n"
           "  --fast              do not pair triangles into quadrilaterals\n"
           "  --both-sides        faces visible from both sides\n"
           "  --reverse           faces shown from the other side\n"
           "  --group-by-colour   one part per colour number\n"
           "  --all-white         every face white\n"
           "  -h, --help          this text\n"
           "Without OUTPUT the model goes to INPUT cut at the first \".\" of its file\n"
           "name, plus \".MD4\". Exit status: 0 converted, 1 refused or failed (the\n"
           "message is on standard error), 2 wrong command line.\n";
}

} // namespace quillo
