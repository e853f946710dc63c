#include "device_layer.h"

#include <algorithm>
#include <cmath>

#include "engine_errors.h"
#include "load_surface.h"
#include "model/messages.h"
#include "texture_entry.h"

namespace quillo::engine3d {

bool nextSmallerSize(int32_t& width, int32_t& height)
{
    if (width > 1280) width = 1280, height = 1024;
    else if (width > 1024) width = 1024, height = 768;
    else if (width > 800) width = 800, height = 600;
    else if (width > 640) width = 640, height = 480;
    else if (width > 320) width = 320, height = 200;
    else return false;
    return true;
}

int32_t viewportScale(int32_t width, int32_t height, int32_t zoom)
{
    const int64_t sx = int64_t(width) * zoom / 128, sy = int64_t(height) * zoom / 128;
    const int64_t s = std::min(sx, sy);
    if (s < 1) return 1;
    return s > INT32_MAX ? INT32_MAX : int32_t(s);
}

DeviceLayer::DeviceLayer() = default;

DeviceLayer::~DeviceLayer()
{
    if (!device_) return;
    releaseBackground();
    materials_.reset();
    device_->setLight(nullptr);
}

uint32_t DeviceLayer::maxVertexCount() const { return device_ ? device_->info().maxVertexCount : 0; }

bool DeviceLayer::ddinit(const EngineSettings& settings, TextRasteriser* text, const std::vector<DeviceTableEntry>* table)
{
    settings_ = settings;
    text_ = text;
    table_.clear();
    for (const DeviceTableEntry& e : table ? *table : deviceTable()) table_.push_back({e.info, e.create});
    if (table_.empty()) {
        setupFailure(noDeviceText());
        return false;
    }
    // The last hardware device is the automatic choice.
    int32_t automatic = 0;
    for (size_t i = 0; i < table_.size(); ++i)
        if (table_[i].info.hardware) automatic = int32_t(i);
    driver_ = settings.driver;
    if (driver_ >= int32_t(table_.size())) driver_ = 0;
    if (driver_ < 0) driver_ = automatic;

    width_ = std::max(settings.maxWidth, 10);
    height_ = std::max(settings.maxHight, 10);
    if (settings.fullscreen)
        errorbox(formatMessage("フルスクリーンモードに切り換えます\nこのモードではメニューバーが表示されません\n"
                               "メニューを表示したい場合は ALT または GRAPH キーを押してください"));
    for (;;) {
        if (createdevice() && createbuffer()) break;
        device_.reset();
        if (!nextSmallerSize(width_, height_)) {
            setupFailure(d3dErrorText(35, "ddinit"));
            return false;
        }
    }
    if (!createviewport()) return false;
    sceneSetup();
    if (!setstate()) return false;
    fullRefresh_ = true;
    return true;
}

bool DeviceLayer::createdevice()
{
    device_ = table_[size_t(driver_)].create();
    if (!device_) {
        d3dError(14, "createdevice");
        return false;
    }
    return true;
}

bool DeviceLayer::createbuffer()
{
    width_ = std::max(width_, 10);
    height_ = std::max(height_, 10);
    if (!device_ || !device_->createTarget(width_, height_)) return false;
    current_.setBounds(width_, height_);
    current_.clear();
    lastBatches_.clear();
    fullRefresh_ = true;
    return true;
}

bool DeviceLayer::createviewport()
{
    if (!setviewport(zoom_)) return false;
    return createinfobuff(std::string(80, ' '));
}

bool DeviceLayer::setviewport(int32_t zoom)
{
    if (!device_ || zoom <= 0) return false;
    const int32_t scale = viewportScale(width_, height_, zoom);
    ViewportDesc vp;
    vp.width = width_;
    vp.height = height_;
    vp.scale = float(scale);
    vp.maxX = float(width_) / float(scale) / 2.0f;
    vp.maxY = float(height_) / float(scale) / 2.0f;
    if (!device_->setViewport(vp)) {
        d3dError(12, "setviewport");
        return false;
    }
    zoom_ = zoom;
    viewport_ = vp;
    fullRefresh_ = true;
    return true;
}

bool DeviceLayer::resize(int32_t width, int32_t height)
{
    if (!device_) return false;
    width = std::max(width, 10);
    height = std::max(height, 10);
    if (width == width_ && height == height_) return true;
    const int32_t oldWidth = width_, oldHeight = height_;
    width_ = width;
    height_ = height;
    if (createbuffer() && setviewport(zoom_)) return true;
    width_ = oldWidth;
    height_ = oldHeight;
    createbuffer();
    setviewport(zoom_);
    return false;
}

void DeviceLayer::sceneSetup()
{
    materials_ = std::make_unique<GMTBL>(*device_, settings_.dither);
    releaseBackground();
    background_ = device_->createMaterial(MaterialDesc{});
    device_->setBackground(background_);
    view_ = device_->createMatrix();
    projection_ = device_->createMatrix();
    identity_ = device_->createMatrix();
    Mat4 view = identityMatrix();
    view.m[3][2] = 175.0f;
    device_->setMatrix(view_, view);
    device_->setMatrix(projection_, Mat4{{{1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, 1, 1}, {0, 0, -30, 0}}});
    device_->setTransform(TransformKind::view, view_);
    device_->setTransform(TransformKind::projection, projection_);
    device_->setAmbient(ambientColour);
    // The light before the camera's first setlight.
    const float c = std::cos(-1.5f), s = std::sin(-1.5f);
    const LightDesc light{{0.9f, 0.9f, 0.9f, 1.0f}, {c * c, c * s, s}};
    device_->setLight(&light);
}

bool DeviceLayer::setstate()
{
    if (!device_) return false;
    RenderStates states;
    states.gouraud = settings_.gouraud;
    states.perspectiveCorrect = settings_.persCorrect;
    states.dither = settings_.dither;
    states.specular = true;
    states.zEnable = states.zWrite = !settings_.zoff;
    if (!device_->beginScene()) {
        d3dError(39, "setstate");
        return false;
    }
    device_->setRenderStates(states);
    if (!device_->endScene()) {
        d3dError(41, "setstate");
        return false;
    }
    return true;
}

bool DeviceLayer::createinfobuff(const std::string& text)
{
    info_ = Surface();
    infoText_.clear();
    showLine(text);
    return true;
}

void DeviceLayer::showLine(const std::string& text)
{
    if (!text_) return;
    Surface drawn = text_->draw(text);
    if (drawn.emptySurface() || drawn.pixels.size() != size_t(drawn.width) * size_t(drawn.height)) return;
    // The line keeps its size and is blanked first; a wider text grows it.
    Surface line;
    line.width = std::max(info_.width, drawn.width);
    line.height = std::max(info_.height, drawn.height);
    line.pixels.assign(size_t(line.width) * size_t(line.height), 0);
    for (int32_t y = 0; y < drawn.height; ++y)
        std::copy_n(drawn.pixels.data() + size_t(y) * size_t(drawn.width), size_t(drawn.width),
                    line.pixels.data() + size_t(y) * size_t(line.width));
    info_ = std::move(line);
    infoText_ = text;
}

void DeviceLayer::releaseBackground()
{
    if (!device_) return;
    if (background_ != 0) device_->releaseMaterial(background_);
    if (backgroundTexture_ != 0) device_->releaseTexture(backgroundTexture_);
    background_ = 0;
    backgroundTexture_ = 0;
}

void DeviceLayer::setBackground(const std::string& path)
{
    if (!device_) return;
    fullRefresh_ = true;
    releaseBackground();
    MaterialDesc m;
    m.rampSize = 1;
    Surface picture;
    if (!path.empty() && loadsurface(path, picture, false, KeyColour())) {
        backgroundTexture_ = device_->createTexture(picture);
        if (backgroundTexture_ != 0) {
            m.diffuse = m.ambient = {1.0f, 1.0f, 1.0f, 1.0f};
            m.texture = backgroundTexture_;
        }
    }
    background_ = device_->createMaterial(m);
    device_->setBackground(background_);
}

bool DeviceLayer::rend(const SceneDrawer& drawScene)
{
    if (!device_) return false;
    const Rect whole{0, 0, width_ - 1, height_ - 1};
    // First the scene is measured, batch by batch; what changed since the
    // last frame (where a batch was and where it is now) is the damage.
    DirtyRects measuredExtents(width_, height_);
    device_->beginMeasure();
    if (drawScene) drawScene(*device_, measuredExtents);
    device_->endMeasure();
    const std::vector<MeasuredBatch>& now = device_->measured();
    DirtyRects damage(width_, height_);
    bool sameBatches = now.size() == lastBatches_.size();
    for (size_t i = 0; sameBatches && i < now.size(); ++i) sameBatches = now[i].batch == lastBatches_[i].batch;
    if (fullRefresh_ || !sameBatches) {
        damage.add(whole);
    } else {
        for (size_t i = 0; i < now.size(); ++i)
            if (now[i].signature != lastBatches_[i].signature || !(now[i].extent == lastBatches_[i].extent)) {
                damage.add(lastBatches_[i].extent);
                damage.add(now[i].extent);
            }
    }
    const bool lineShown = !info_.emptySurface() && info_.width < width_ && info_.height < height_;
    const int32_t lineX = (width_ - info_.width) / 2;
    const Rect line = lineShown ? Rect{lineX, 0, lineX + info_.width - 1, info_.height - 1} : Rect();
    damage.add(lastLine_);
    damage.add(line);

    // clearbackbuff: the damage only.
    bool cleared = true;
    for (const Rect& r : damage.rects()) cleared = device_->clearTarget(r) && cleared;
    for (const Rect& r : damage.rects()) cleared = device_->clearDepth(r) && cleared;
    if (!cleared) {
        d3dError(42, "rend");
        return false;
    }
    current_.clear();
    if (!device_->beginScene()) {
        d3dError(43, "rend");
        return false;
    }
    // Drawn again inside the damage only: outside it the target still
    // holds what the same batches drew before.
    device_->setClipRects(&damage.rects());
    if (drawScene) drawScene(*device_, current_);
    device_->setClipRects(nullptr);
    if (!device_->endScene()) d3dError(44, "rend");

    // The text line at the top, centred, black showing the scene through.
    if (lineShown) device_->blitKeyed(info_, lineX, 0);

    presented_ = damage.rects();
    lastBatches_ = now;
    lastLine_ = line;
    fullRefresh_ = false;
    return true;
}

} // namespace quillo::engine3d
