// The model editor's main window: the drawing area with the 8-bit frame and
// its overlay, the mouse, and the redraw cycle, on the shared editor window
// (menus, keys, tool and selector windows).
#pragma once

#include <QFont>

#include <memory>

#include "model_editor.h"
#include "platform/editor_main_window.h"
#include "platform/editor_script.h"
#include "platform/frame_view.h"

namespace quillo {

class EditorWindow : public EditorMainWindow, public ScriptView {
    Q_OBJECT
public:
    explicit EditorWindow(const EditorSettings& settings);
    ~EditorWindow() override;

    // Connects the editor: its commands become the menus and keys.
    void setEditor(ModelEditor* editor);
    // The frame as presented, with the overlay: what the view shows and
    // what `render` in scripts writes.
    QImage composedImage();
    // Draws a frame of the current drawing area (the redraw cycle).
    void drawframe();
    int areaWidth() const { return width_; }
    int areaHeight() const { return height_; }
    void setArea(int width, int height);
    FrameView* view() const { return view_; }

    // EditorHost
    void requestRepaint() override { drawframe(); }

    // ScriptView
    void drawFrame() override { drawframe(); }
    bool writeRender(const std::string& path, std::string& why) override;
    bool writeScreenshot(const std::string& path, std::string& why) override { return saveWindowPicture(path, why); }
    bool resizeWindow(int width, int height, std::string&) override { return resizeAndSettle(width, height); }

protected:
    void commandDone(bool redraw) override;

private:
    ModelEditor* editor_ = nullptr;
    FrameView* view_;
    std::unique_ptr<Frame> frame_;
    int maxwidth_, maxhight_;
    int width_ = 320, height_ = 200;
    bool zon_;
    QFont font_;
};

} // namespace quillo
