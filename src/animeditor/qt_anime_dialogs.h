// The animation editor's boxes as Qt dialogs: the shared options dialog with
// the "D3DSET" layout and the action settings "DACT".
#pragma once

#include "anime_dialogs.h"
#include "platform/qt_dialogs.h"

namespace quillo {

class QtAnimeDialogs : public QtDialogs, public AnimeDialogs {
public:
    int optionsBox(const OptionsLayout& layout, OptionsValues& values) override;
    int actionBox(std::string& name, std::string& path) override;
};

} // namespace quillo
