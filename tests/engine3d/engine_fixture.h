// An engine started headless at a chosen size, with a text line drawn as
// fixed boxes, and helpers to write small models and pictures.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine3d/block.h"
#include "engine3d/device_layer.h"
#include "engine3d/engine_errors.h"
#include "engine3d/model_table.h"
#include "model/messages.h"
#include "support/temp_dir.h"

namespace quillo::engine3d::test {

// Each character a 6 x 12 box: yellow for a mark, black for a blank.
class BoxText : public TextRasteriser {
public:
    Surface draw(const std::string& text) override
    {
        int32_t chars = 0;
        for (unsigned char c : text) chars += (c & 0xC0) != 0x80; // code points
        Surface s;
        s.width = 6 * chars;
        s.height = 12;
        s.pixels.assign(size_t(s.width) * 12, 0);
        int32_t i = -1;
        for (unsigned char c : text) {
            if ((c & 0xC0) == 0x80) continue;
            ++i;
            if (c == ' ') continue;
            for (int32_t y = 1; y < 11; ++y)
                for (int32_t x = 1; x < 5; ++x) s.pixels[size_t(y * s.width + 6 * i + x)] = 0xFFFF00;
        }
        return s;
    }
};

class EngineFixture : public ::testing::Test {
public:
    void SetUp() override
    {
        resetReportedErrors();
        start(160, 120);
    }

    void start(int32_t w, int32_t h, bool zoff = false)
    {
        table.reset();
        camera.reset();
        layer = std::make_unique<DeviceLayer>();
        EngineSettings s;
        s.maxWidth = w;
        s.maxHight = h;
        s.zoff = zoff;
        ASSERT_TRUE(layer->ddinit(s, &text));
        table = std::make_unique<ModelTable>(*layer);
        camera = std::make_unique<CAM>(layer->device(), layer->viewMatrix());
    }

    // Draws every loaded model, as a scene does: last model first.
    void frame()
    {
        layer->rend([this](Device& d, DirtyRects& dirty) {
            for (int i = table->count() - 1; i >= 0; --i) drawModel(*table->model(i), d, dirty);
        });
    }

    std::string write(const std::string& name, const std::string& body)
    {
        const std::string path = dir / name;
        quillo::test::writeText(path, body);
        return path;
    }

    ~EngineFixture() override
    {
        table.reset();
        camera.reset();
    }

    BoxText text;
    MessageLog log;
    quillo::test::TempDir dir;
    std::unique_ptr<DeviceLayer> layer;
    std::unique_ptr<ModelTable> table;
    std::unique_ptr<CAM> camera;
};

// A one-part square of side 2h grid units at depth 0 facing the camera, in
// the given colour: "ob", "dt", four "v", "pb", "m", "c", "q", "pe", "oe".
inline std::string squareModel(int h = 800, const char* rgb = "255 255 255", const char* extra = "")
{
    const std::string s = std::to_string(h), n = std::to_string(-h);
    return "ob square 0 0 0\n dt 0.0125\n v " + n + " " + n + " 0\n v " + n + " " + s + " 0\n v " + s + " " + s +
           " 0\n v " + s + " " + n + " 0\npb root 0 0 0\n m 1 1 0\n c " + rgb + "\n q 0 1 2 3\n" + extra +
           "pe root\noe square\n";
}

} // namespace quillo::engine3d::test
