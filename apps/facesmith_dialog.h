// "DMAIN", the converter's one window: the input and output paths with
// their "参照" buttons, the face and colour options, the model size, and
// the buttons that convert, open the help page and end the program.
#pragma once

#include <functional>
#include <string>

#include <QDialog>
#include <QString>
#include <QUrl>

#include "dxfconv/convert_dxf.h"
#include "facesmith_controls.h"

class QAbstractButton;
class QGroupBox;
class QLineEdit;

#include "platform/help_page.h"

namespace quillo {

class DxfFileChooser;

inline constexpr const char* dmainTitle = "  ＤＸＦ→ＭＤ４コンバートプログラムＶ０．１Ａ";


class FacesmithDialog : public QDialog {
    Q_OBJECT
public:
    // `commandLine` fills the input field (and the output field with the
    // name derived from it); `files` shows the "参照" dialogs.
    FacesmithDialog(const std::string& commandLine, DxfFileChooser& files, QWidget* parent = nullptr);

    // What the convert buttons run; runConversion unless replaced.
    using Converter = std::function<bool(const ConversionOptions&)>;
    void setConverter(Converter convert) { convert_ = std::move(convert); }
    // How "ヘルプ" shows a page; QDesktopServices::openUrl unless replaced.
    void setHelpOpener(HelpOpener open) { openHelpPage_ = std::move(open); }

    // The control with identifier `id`, or null when it is not of that kind.
    QAbstractButton* button(int id) const;
    QLineEdit* edit(int id) const;
    QGroupBox* group(int id) const;

    // Presses button `id` as a click would. False when there is none.
    bool press(int id);

    // The conversion that the fields and option controls ask for; `fast` as
    // "高速変換" gives it.
    ConversionOptions options(bool fast) const;
    // The path both "参照" dialogs offer first: the last one chosen in either.
    const std::string& sharedPath() const { return sharedPath_; }
    // True once "終了" was pressed.
    bool ended() const { return ended_; }

protected:
    void closeEvent(QCloseEvent* event) override;

public slots:
    void reject() override;

private:
    void chooseInput();
    void chooseOutput();
    void convert(bool fast);
    void openHelp();
    void quit();

    DxfFileChooser& files_;
    Converter convert_;
    HelpOpener openHelpPage_;
    std::string sharedPath_;
    bool ended_ = false;
};

} // namespace quillo
