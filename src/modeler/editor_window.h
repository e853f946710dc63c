// The model editor's main window: menus and accelerator keys from the
// command table, the drawing area, the mouse, and the redraw cycle.
#pragma once

#include <QMainWindow>

#include <memory>

#include "model_editor.h"
#include "platform/frame_view.h"

namespace quillo {

class EditorWindow : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit EditorWindow(const EditorSettings& settings);
    ~EditorWindow() override;

    void setEditor(ModelEditor* editor) { editor_ = editor; }
    // The frame as presented, with the overlay: what the view shows and
    // what `render` in scripts writes.
    QImage composedImage();
    // Draws a frame of the current drawing area (the redraw cycle).
    void drawframe();
    int areaWidth() const { return width_; }
    int areaHeight() const { return height_; }
    void setArea(int width, int height);
    // Runs a command as its menu item, key or tool button does.
    void runCommand(int command);

    // Tool and selector windows are provided by the program.
    std::function<void(int)> showTool;
    std::function<void(const std::vector<std::string>&, int)> fillObjects;
    std::function<void(const std::vector<std::string>&, int)> fillParts;
    std::function<void()> showObjects;
    std::function<void()> showParts;

    // EditorHost
    void fillObjectSelector(const std::vector<std::string>& names, int current) override;
    void fillPartSelector(const std::vector<std::string>& names, int current) override;
    void showObjectSelector() override;
    void showPartSelector() override;
    void showToolWindow(int command) override;
    void closeMainWindow() override;
    void openHelp() override;
    void requestRepaint() override;
    bool fullscreen() const override { return fullscreen_; }

    bool active = true;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();

    ModelEditor* editor_ = nullptr;
    FrameView* view_;
    std::unique_ptr<Frame> frame_;
    int maxwidth_, maxhight_;
    int width_ = 320, height_ = 200;
    bool fullscreen_;
    bool zon_;
    QFont font_;
};

// The help page shipped with the program.
QString helpPagePath();

} // namespace quillo
