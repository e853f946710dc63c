// Where applying a frame shows its dialogue line and background: the
// editor's and the saver's windows implement it.
#pragma once

#include <string>

namespace quillo::anim {

class StageView {
public:
    virtual ~StageView() = default;
    // An empty line blanks the dialogue.
    virtual void showDialogue(const std::string& line) = 0;
    // An empty path shows no background.
    virtual void showBackground(const std::string& path) = 0;
};

} // namespace quillo::anim
