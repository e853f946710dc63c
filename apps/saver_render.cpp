#include "saver_render.h"

#include <cstdio>

#include "animation/sound_device.h"
#include "command_args.h"
#include "engine3d/engine_errors.h"
#include "engine3d/software_device.h"
#include "platform/engine_image.h"
#include "saver/saver_player.h"

namespace quillo {

bool parseSaverRenderOptions(const std::vector<std::string>& args, SaverRenderOptions& o, std::string& error)
{
    if (args.size() < 2) {
        error = "--render needs OUT.png and ANIM.md7";
        return false;
    }
    o.output = args[0];
    o.animation = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--steps" && hasValue) {
            if (!readInt(args[++i].c_str(), o.steps) || o.steps < 1) {
                error = "--steps needs a number of steps from 1";
                return false;
            }
        } else if (args[i] == "--size" && hasValue) {
            if (!readSize(args[++i].c_str(), o.width, o.height, engine3d::SoftwareDevice::maxSide) || o.width < 10 ||
                o.height < 10) {
                error = "--size needs WIDTHxHEIGHT, each 10 to 16384";
                return false;
            }
        } else {
            error = "unknown option " + args[i];
            return false;
        }
    }
    return true;
}

int saverRenderCommand(const std::vector<std::string>& args)
{
    SaverRenderOptions o;
    std::string error;
    if (!parseSaverRenderOptions(args, o, error)) {
        std::fprintf(stderr, "quillosaver: %s\n", error.c_str());
        return 2;
    }
    engine3d::setErrorWording(engine3d::ErrorWording::saver);
    anim::SilentSoundDevice sound;
    SaverSettings settings;
    settings.animfile = o.animation;
    settings.modewidth = o.width;
    settings.modeheight = o.height;
    SaverPlayer player(sound); // messages go to standard error
    int64_t now = 0;
    if (!player.start(settings, o.width, o.height, now)) return 1;
    while (player.steps() < o.steps) player.tick(now += settings.interval);
    if (!writeEnginePng(player.stage()->layer().device().target(), o.output)) {
        std::fprintf(stderr, "quillosaver: cannot write %s\n", o.output.c_str());
        return 1;
    }
    return 0;
}

} // namespace quillo
