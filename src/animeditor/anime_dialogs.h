// The animation editor's own dialog boxes beside the common ones: the
// options dialog "D3DSET" (the shared options layout) and the action
// settings "DACT".
#pragma once

#include <string>

#include "platform/dialogs.h"
#include "platform/options_layout.h"

namespace quillo {

class AnimeDialogs : public virtual Dialogs {
public:
    // The options dialog of `layout`: values in and out; 1 or -1.
    virtual int optionsBox(const OptionsLayout& layout, OptionsValues& values) = 0;
    // "DACT": a motion's name (at most 79 bytes) and file path (at most 259
    // bytes) in and out; 1 or -1.
    virtual int actionBox(std::string& name, std::string& path) = 0;
};

} // namespace quillo
