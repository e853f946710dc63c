// The options dialogs of the editors ("DDSET", "D3DSET") share one shape:
// a default file with "参照", a full-screen box, five maximum-resolution
// radio buttons and a few check boxes of the editor's own. A layout names
// the controls; the values are plain.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dialogs.h"

namespace quillo {

struct OptionsCheck {
    const char* group; // the group box around the check box
    const char* label;
    int control;
};

struct OptionsLayout {
    const char* resource; // "DDSET", "D3DSET"
    FileType fileType;    // the filter "参照" selects
    size_t fileLimit;     // bytes kept of the default file
    int fileField, browseButton, fullScreenBox;
    int resolutionControls[5]; // 1600 x 1200 ... 640 x 480
    std::vector<OptionsCheck> checks;
};

struct OptionsValues {
    std::string defaultfile;
    bool fullscreen = false;
    int maxwidth = 640, maxhight = 480;
    std::vector<bool> checks; // in the order of the layout's checks
};

// The sizes of the five radio buttons, largest first.
struct ResolutionSize {
    int width, height;
};
extern const ResolutionSize resolutionSizes[5];
// The index of the button that shows `maxwidth`, or -1 when none does.
int resolutionIndex(int maxwidth);

// What OK does after reading the fields: the default file is cut to the
// layout's limit (never inside a UTF-8 character) and dropped when it
// cannot be opened for reading.
void acceptDefaultFile(std::string& file, size_t limit);

} // namespace quillo
