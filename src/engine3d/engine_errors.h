// The engine's numbered failure messages: "Ｄ３Ｄエラー" for the device layer
// and "ＮＥＷエラー" for the object layer, each followed by the number in
// full-width digits, a line break, the function and "関数". A device that
// fails every frame would otherwise bury the user in boxes, so each distinct
// message is shown once per run.
#pragma once

#include <string>

namespace quillo::engine3d {

// "１２" for 12.
std::string fullWidthNumber(int number);

// Whose words the device layer's failures use. The screen saver says
// "ＳＡＶＥＲエラー" where the animation editor says "Ｄ３Ｄエラー" (texture and
// surface failures keep "Ｄ３Ｄエラー"), and leaves the function name out of
// the display start-up failures 28, 29 and 31 to 35 ("ＳＡＶＥＲエラー２５\nwinit"
// has no "関数" either).
enum class ErrorWording { animator, saver };
void setErrorWording(ErrorWording wording);
ErrorWording errorWording();

std::string d3dErrorText(int number, const char* function);
// "Ｄｉｒｅｃｔ３Ｄが使用できません", or the saver's "Direct3D使用不能".
std::string noDeviceText();
std::string newErrorText(int number, const char* classAndMethod);

// Shows the message through the message sink unless it was shown before.
void reportOnce(const std::string& text);
inline void d3dError(int number, const char* function) { reportOnce(d3dErrorText(number, function)); }
inline void newError(int number, const char* classAndMethod) { reportOnce(newErrorText(number, classAndMethod)); }

// A failure of the display start-up: a message box in the animation editor;
// the saver's message sink draws it at the top left of its window.
void setupFailure(const std::string& text);

// Forgets which messages were shown (a new run, or a test).
void resetReportedErrors();

} // namespace quillo::engine3d
