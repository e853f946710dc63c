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

std::string d3dErrorText(int number, const char* function);
std::string newErrorText(int number, const char* classAndMethod);

// Shows the message through the message sink unless it was shown before.
void reportOnce(const std::string& text);
inline void d3dError(int number, const char* function) { reportOnce(d3dErrorText(number, function)); }
inline void newError(int number, const char* classAndMethod) { reportOnce(newErrorText(number, classAndMethod)); }

// Forgets which messages were shown (a new run, or a test).
void resetReportedErrors();

} // namespace quillo::engine3d
