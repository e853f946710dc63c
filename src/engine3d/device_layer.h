// The engine's device layer: starts the device from the device table with
// the size ladder (`ddinit`), makes the target (`createbuffer`), the device
// (`createdevice`) and the viewport (`createviewport`, `setviewport`), sets
// the fixed render states (`setstate`), keeps the text line
// (`createinfobuff`, `showLine`) and draws each frame (`rend`) clearing and
// presenting only the rectangles that changed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device.h"
#include "dirty_rects.h"
#include "gmtbl.h"

namespace quillo::engine3d {

// Settings the animation editor and the screen saver read at start.
struct EngineSettings {
    int32_t driver = -1;    // device table index; -1 automatic
    bool dither = false;
    bool gouraud = true;    // "Shade": Gouraud, else FLAT
    bool persCorrect = true;
    bool zoff = false;      // Z buffer off
    bool fullscreen = false;
    int32_t maxWidth = 640, maxHight = 480;
};

// Draws the text line: "ＭＳ Ｐゴシック" 12 pixels high, yellow (255, 255, 0)
// on opaque black, into a surface as large as the text. The Qt one lives in
// the platform layer; tests use one with fixed boxes.
class TextRasteriser {
public:
    virtual ~TextRasteriser() = default;
    virtual Surface draw(const std::string& text) = 0;
};

// The next size of the start-up ladder after a failure at width x height;
// false when there is none (320 wide or less).
bool nextSmallerSize(int32_t& width, int32_t& height);

// The viewport scale for a zoom: min(width * zoom / 128, height * zoom / 128)
// in 64-bit integers, at least 1.
int32_t viewportScale(int32_t width, int32_t height, int32_t zoom);

constexpr uint32_t ambientColour = 0x80C8C8C8;

class DeviceLayer {
public:
    DeviceLayer();
    ~DeviceLayer();
    DeviceLayer(const DeviceLayer&) = delete;
    DeviceLayer& operator=(const DeviceLayer&) = delete;

    // Starts everything; false (after the message) when start-up fails.
    // `table` replaces the build's device table (tests).
    bool ddinit(const EngineSettings& settings, TextRasteriser* text,
                const std::vector<DeviceTableEntry>* table = nullptr);
    bool createbuffer();
    bool createdevice();
    bool createviewport();
    // Scale from the camera's zoom; a zoom <= 0 changes nothing (false).
    bool setviewport(int32_t zoom);
    bool setstate();
    // A new drawing size (at least 10 x 10; the caller sets the upper
    // limits): the target and the viewport are made again and the next
    // frame is drawn whole. False, with the old size kept, when the device
    // refuses the new one.
    bool resize(int32_t width, int32_t height);
    bool createinfobuff(const std::string& text);
    // Draws a new text into the line (80 spaces blank it); a wider text
    // grows the line.
    void showLine(const std::string& text);

    // One frame. The scene is drawn through `drawScene` twice: first
    // measured (what each batch would draw, and whether anything it
    // depends on changed), then drawn inside the damage only: the places
    // of changed batches in the last frame and in this one, and the text
    // line. Only the damage is cleared and presented (at most 19
    // rectangles). `drawScene` must only draw (the same batches in the
    // same order both times); poses change before `rend`. False when the
    // frame was skipped.
    using SceneDrawer = std::function<void(Device&, DirtyRects&)>;
    bool rend(const SceneDrawer& drawScene);
    // The next frame clears and presents the whole target (after a
    // background change or a resize).
    void refreshAll() { fullRefresh_ = true; }
    // What this frame's `rend` asks the window to copy from the target.
    const std::vector<Rect>& presented() const { return presented_; }

    Device& device() { return *device_; }
    const Device& device() const { return *device_; }
    bool ready() const { return device_ != nullptr; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t chosenDriver() const { return driver_; }
    const EngineSettings& settings() const { return settings_; }
    uint32_t maxVertexCount() const;
    MatrixHandle viewMatrix() const { return view_; }
    MatrixHandle projectionMatrix() const { return projection_; }
    MatrixHandle identityMatrixHandle() const { return identity_; }
    GMTBL& materials() { return *materials_; }
    const ViewportDesc& viewport() const { return viewport_; }
    const Surface& infoLine() const { return info_; }

    // The viewport background: a picture stretched over it, or black
    // without a path (and when the picture cannot be read).
    void setBackground(const std::string& path);

private:
    void sceneSetup();
    void releaseBackground();

    EngineSettings settings_;
    TextRasteriser* text_ = nullptr;
    std::vector<DeviceTableEntry> table_;
    int32_t driver_ = 0;
    std::unique_ptr<Device> device_;
    std::unique_ptr<GMTBL> materials_;
    int32_t width_ = 0, height_ = 0;
    int32_t zoom_ = 256;
    ViewportDesc viewport_;
    MatrixHandle view_ = 0, projection_ = 0, identity_ = 0;
    MaterialHandle background_ = 0;
    TextureHandle backgroundTexture_ = 0;
    Surface info_;
    std::string infoText_;
    DirtyRects current_;
    std::vector<MeasuredBatch> lastBatches_;
    Rect lastLine_;
    std::vector<Rect> presented_;
    bool fullRefresh_ = true;
};

} // namespace quillo::engine3d
