#include "saver_dialog.h"

#include "model/messages.h"

namespace quillo {

SaverDialog::SaverDialog(const SaverSettings& s)
    : file(s.animfile), fixed640(s.modewidth == 640), colours256(s.eightbit), settings_(s)
{
    bar.setThumb(speedOf(s.interval));
}

std::string withoutCrLf(const std::string& text)
{
    const bool crlf = text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
    return crlf ? text.substr(0, text.size() - 2) : text;
}

std::string fileNotFoundMessage(const std::string& path)
{
    return formatMessage("指定されたファイル %s が見つかりません", path.c_str());
}

void SaverDialog::command(int id, SaverDialogUser& user)
{
    switch (id) {
    case idBrowse: {
        std::string path = file;
        if (user.chooseAnimation(path)) file = path;
        break;
    }
    case idOk: {
        SaverSettings chosen = settings_;
        if (!acceptSaverDialog(file, fixed640, colours256, bar.position, chosen)) {
            user.message(fileNotFoundMessage(file));
            break; // the dialog stays open
        }
        settings_ = chosen;
        result_ = Result::accepted;
        break;
    }
    case idCancel: result_ = Result::cancelled; break;
    default: break;
    }
}

void SaverDialog::scroll(ScrollRequest request, int thumb)
{
    switch (request) {
    case ScrollRequest::lineLeft: bar.step(-1); break;
    case ScrollRequest::lineRight: bar.step(1); break;
    case ScrollRequest::pageLeft: bar.step(-5); break;
    case ScrollRequest::pageRight: bar.step(5); break;
    case ScrollRequest::thumbTrack:
    case ScrollRequest::thumbPosition: bar.setThumb(thumb); break;
    case ScrollRequest::other: break;
    }
}

} // namespace quillo
