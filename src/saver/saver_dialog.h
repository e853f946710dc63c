// The settings dialog "DSET" without its window: the values of its
// controls, the speed bar's scroll requests, "参照", OK and Cancel. The Qt
// dialog and --script runs both drive it by control id.
#pragma once

#include <string>

#include "saver_settings.h"

namespace quillo {

enum SaverControl {
    idOk = 100,
    idCancel = 110,
    idFile = 120,
    idBrowse = 130,
    idSpeed = 140,
    idColours256 = 150,
    idFixed640 = 160,
};

inline constexpr const char* saverDialogTitle = "スクリーンセーバー設定";
inline constexpr const char* saverVersionLabel = "Ｖｅｒ　０．２Ａ";
inline constexpr const char* saverMessageTitle = "D3D Example Message";

// What the dialog asks of the user.
class SaverDialogUser {
public:
    virtual ~SaverDialogUser() = default;
    // "参照": the open dialog with the five model-to-animation filters, the
    // fifth ("アニメ (*.MD7)") selected; false when cancelled.
    virtual bool chooseAnimation(std::string& path) = 0;
    // A message box titled "D3D Example Message" (`text` formatted).
    virtual void message(const std::string& text) = 0;
};

// The scroll bar's requests.
enum class ScrollRequest { lineLeft, lineRight, pageLeft, pageRight, thumbTrack, thumbPosition, other };

class SaverDialog {
public:
    enum class Result { open, accepted, cancelled };

    // Opening: the file, the two boxes and the bar from `settings`.
    explicit SaverDialog(const SaverSettings& settings);

    // A button (100, 110, 130); other ids do nothing. After OK or Cancel
    // the dialog's result() says how it ended.
    void command(int id, SaverDialogUser& user);
    void scroll(ScrollRequest request, int thumb = 0);
    Result result() const { return result_; }
    // The settings after OK (what was passed in, with the dialog's values).
    const SaverSettings& settings() const { return settings_; }

    std::string file;
    bool fixed640 = false, colours256 = false;
    SpeedBar bar;

private:
    SaverSettings settings_;
    Result result_ = Result::open;
};

// A formatted message without its trailing CR LF, as a message box shows it.
std::string withoutCrLf(const std::string& text);

// The message of an OK whose file cannot be read.
std::string fileNotFoundMessage(const std::string& path);

} // namespace quillo
