// The dialog boxes through which the editors talk to the user: the boxes
// every editor has (messages, questions, file dialogs, input, select and
// reorder boxes). Each editor extends it with its own boxes. Commands only
// see these interfaces: the Qt implementation shows real dialogs, the
// scripted one answers from a queue (tests and --script runs). Plain values
// in, plain values out. Results: 1 (or an index) for OK, -1 for Cancel or closing.
#pragma once

#include <string>
#include <vector>

#include "model/messages.h"

namespace quillo {

// File types of the file dialogs, in the order of the filter list.
enum FileType {
    fileModel = 0,     // "モデル (*.MD4)"
    fileModelReal = 1, // "Fモデル (*.MD5)"
    fileBmp = 2,       // "BMP files(*.BMP)"
    fileMotion = 3,    // "動作 (*.MD6)"
    fileAnimation = 4, // "アニメ (*.MD7)"
    fileWave = 5,      // "サウンド (*.WAV)"
    fileMidi = 6,      // "ＭＩＤＩ (*.MID)"
    fileExchange = 7,  // other programs' models: exchangeFilters
};

struct FileFilter {
    const char* label;
    const char* pattern;
};
// The seven entries shared by every file dialog of the suite.
extern const FileFilter fileFilters[7];
// The file types of import and export: glTF and OBJ.
extern const FileFilter exchangeFilters[2];

class Dialogs : public MessageSink {
public:
    // MessageSink: error(text) is the OK message box, ask(text) the Yes/No box.

    // Open and save dialogs; false when cancelled.
    virtual bool chooseFile(FileType type, std::string& path) = 0;
    virtual bool chooseSaveFile(FileType type, std::string& path) = 0;
    // "DEDIT": the answer's length (0 for empty), or -1.
    virtual int inputBox(const std::string& prompt, std::string& answer) = 0;
    // "DSEL" with at least two names; see selectbox() for the full rule.
    virtual int selectBoxShown(const std::vector<std::string>& names, const std::string& text, int start) = 0;
    // "DRETU": `order` holds the old indices in their new order; 1 or -1.
    virtual int reorderBox(const std::vector<std::string>& names, std::vector<int>& order) = 0;
};

// The select box rule: no names gives -1 and one name 0, without asking.
int selectbox(Dialogs& dialogs, const std::vector<std::string>& names, const std::string& text, int start);

} // namespace quillo
