// What ends the saver in full screen: the first mouse movement only
// records where the mouse is; a later one 2 or more pixels away from there
// (horizontal plus vertical distance) ends it, and so does any key and any
// button going down or up. Double-clicks, the wheel and the window's close
// command do not.
#pragma once

namespace quillo {

class SaverInput {
public:
    enum class Event { keyDown, buttonDown, buttonUp, doubleClick, wheel, closeCommand };

    // True when the saver must end.
    bool mouseMoved(int x, int y);
    bool happened(Event event) const;

private:
    int originx_ = -1, originy_ = -1;
};

} // namespace quillo
