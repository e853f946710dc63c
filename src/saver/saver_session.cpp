#include "saver_session.h"

#include "model/file_util.h"
#include "model/messages.h"

namespace quillo {

namespace {

int settingsMode(SaverHost& host, SaverSettings settings)
{
    if (host.runSettingsDialog(settings)) saveSaverSettings(host.store(), settings);
    return 0;
}

} // namespace

int runSaverSession(const SaverCommand& command, SaverHost& host)
{
    const SaverMode mode = command.mode;
    if (!host.acquireLock(mode)) return 0; // another copy of this mode runs

    SaverSettings settings;
    const bool named = loadSaverSettings(host.store(), settings);
    const bool readable = named && readableFile(settings.animfile);
    if (mode == SaverMode::settings) {
        if (named && !readable) host.message(formatMessage("%s", fileMissingMessage));
        return settingsMode(host, settings);
    }
    if (embedded(mode)) {
        // Inside another program's window: no modal box, the text is drawn.
        if (!command.windowValid || !host.createWindow(command)) {
            host.showInWindow(winitMessage);
            return 1;
        }
        if (!readable) {
            host.showInWindow(fileMissingMessage);
            return host.waitForClose();
        }
        return host.play(settings);
    }
    if (!readable) {
        if (named) host.message(formatMessage("%s", fileMissingMessage));
        return settingsMode(host, settings);
    }
    if (!host.createWindow(command)) {
        host.message(formatMessage("%s", winitMessage));
        return 1;
    }
    return host.play(settings);
}

} // namespace quillo
