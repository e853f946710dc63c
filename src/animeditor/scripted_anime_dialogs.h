// The animation editor's boxes answered from a script: "answer options
// KEY=VALUE ..." for "D3DSET" (defaultfile, fullscreen, dither,
// driver=fixed|auto, resolution) and "answer action NAME PATH" for "DACT".
#pragma once

#include "anime_dialogs.h"
#include "platform/scripted_dialogs.h"

namespace quillo {

class ScriptedAnimeDialogs : public ScriptedDialogs, public AnimeDialogs {
public:
    int optionsBox(const OptionsLayout& layout, OptionsValues& values) override;
    int actionBox(std::string& name, std::string& path) override;

protected:
    bool checkOwnAnswer(const std::string& kind, const std::vector<std::string>& values, std::string& error,
                        bool& known) override;
};

} // namespace quillo
