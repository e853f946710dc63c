// quillosaver's start-up, in its order, over the few things it needs from
// the outside (lock, settings store, dialog, window, playback), so that
// tests can run every road through it without a display.
#pragma once

#include <string>

#include "saver_command_line.h"
#include "saver_settings.h"

namespace quillo {

class SettingsStore;

inline constexpr const char* fileMissingMessage = "読み込みファイルが存在していません\n設定を変更してください";
inline constexpr const char* winitMessage = "ＳＡＶＥＲエラー２５\nwinit";

class SaverHost {
public:
    virtual ~SaverHost() = default;
    // The guard against a second copy of `mode`; false: another one runs.
    virtual bool acquireLock(SaverMode mode) = 0;
    virtual SettingsStore& store() = 0;
    // The dialog "DSET" over `settings`; true (with `settings` changed)
    // when it ended with OK.
    virtual bool runSettingsDialog(SaverSettings& settings) = 0;
    // A message box titled "D3D Example Message" (`text` formatted).
    virtual void message(const std::string& text) = 0;
    // Creates the window of `mode` (saver, preview or xscreensaver); false
    // when it cannot be made.
    virtual bool createWindow(const SaverCommand& command) = 0;
    // Preview and xscreensaver modes never bring up a modal box: `text` is
    // drawn into the window, and said on standard error.
    virtual void showInWindow(const std::string& text) = 0;
    // Sets up the engine, loads `settings.animfile` and plays it until the
    // window goes (the failure display when set-up fails); the exit status.
    virtual int play(const SaverSettings& settings) = 0;
    // Runs the window's loop without playback (after showInWindow) until
    // it goes; the exit status.
    virtual int waitForClose() = 0;
};

// True for the modes that draw into another program's window.
inline bool embedded(SaverMode mode) { return mode == SaverMode::preview || mode == SaverMode::xscreensaver; }

// Runs saver, preview, xscreensaver or settings mode; the exit status.
int runSaverSession(const SaverCommand& command, SaverHost& host);

} // namespace quillo
