#include "editor_script.h"

namespace quillo {

bool ScriptView::writeScreenshot(const std::string&, std::string& why)
{
    why = "there is no window to take a picture of";
    return false;
}

bool ScriptView::resizeWindow(int, int, std::string& why)
{
    why = "there is no window to resize";
    return false;
}

EditorScript::EditorScript(ScriptedDialogs& dialogs, const CommandTable& commands, ScriptView& view)
    : ScriptRunner(dialogs), commands_(commands), view_(view)
{
    addVerb({"cmd", 1, 1, true, [this](const ScriptWords& w, std::string& why) {
                 std::vector<int> n;
                 if (!wholeNumbers(w, 1, n, why)) return false;
                 if (n[0] != 0 && !commands_.has(n[0])) {
                     why = "no command has the number " + w[1];
                     return false;
                 }
                 dispatch(n[0]);
                 return true;
             }});
    addVerb({"key", 1, 1, true, [this](const ScriptWords& w, std::string& why) {
                 const int command = commands_.commandForKey(w[1]);
                 if (!command) {
                     why = "no command has the key " + w[1];
                     return false;
                 }
                 dispatch(command);
                 return true;
             }});
    addVerb({"mouse", 2, 3, true, [this](const ScriptWords& w, std::string& why) {
                 std::vector<int> n;
                 if (!wholeNumbers(w, 1, n, why)) return false;
                 mouse(n[0], n[1], n.size() > 2 ? n[2] : 0);
                 return true;
             }});
    // A right-button drag: press where it starts, move in equal steps
    // (drawing after each, as the window would), release where it ends.
    addVerb({"rdrag", 4, 5, true, [this](const ScriptWords& w, std::string& why) {
                 std::vector<int> n;
                 if (!wholeNumbers(w, 1, n, why)) return false;
                 const int steps = n.size() > 4 ? n[4] : 1;
                 if (steps < 1) {
                     why = "rdrag needs at least one step";
                     return false;
                 }
                 mouse(n[0], n[1], 0);
                 mouse(n[0], n[1], 1);
                 for (int i = 1; i <= steps; ++i) {
                     mouse(n[0] + (n[2] - n[0]) * i / steps, n[1] + (n[3] - n[1]) * i / steps, 1);
                     view_.drawFrame();
                 }
                 mouse(n[2], n[3], 0);
                 return true;
             }});
    addVerb({"render", 1, 1, false, [this](const ScriptWords& w, std::string& why) {
                 view_.drawFrame();
                 return view_.writeRender(w[1], why);
             }});
    addVerb({"resize", 2, 2, false, [this](const ScriptWords& w, std::string& why) {
                 std::vector<int> n;
                 if (!wholeNumbers(w, 1, n, why)) return false;
                 if (n[0] < 1 || n[1] < 1) {
                     why = "a window needs a size of at least 1 x 1";
                     return false;
                 }
                 return view_.resizeWindow(n[0], n[1], why);
             }});
    addVerb({"screenshot", 1, 1, false, [this](const ScriptWords& w, std::string& why) {
                 view_.drawFrame();
                 return view_.writeScreenshot(w[1], why);
             }});
}

} // namespace quillo
