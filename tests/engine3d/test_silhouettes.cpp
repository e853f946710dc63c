// The same model drawn by the model editor (quillomodel --render) and by the
// 3D engine (quilloanime --render) with the same camera covers the same
// pixels: their masks of non-background pixels agree, edge pixels aside.
// Both are drawn at scale 1024: the editor at 640 x 480 centred on
// (213, 240) (its outline copy lies to the right, beyond column 320), the
// engine at 512 x 512 centred on (256, 256).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <QImage>

#include "support/temp_dir.h"

namespace {

struct SilhouetteCase {
    const char* name;
    const char* model;
    const char* camera; // empty: the start place
};

QImage render(const std::string& program, const std::string& out, const std::string& model, const std::string& size,
              const std::string& camera)
{
    std::string command = "\"" + program + "\" --render \"" + out + "\" \"" + model + "\" --size " + size + " --zbuffer";
    if (!camera.empty()) command += " --camera " + camera;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
}

class Silhouettes : public ::testing::TestWithParam<SilhouetteCase> {};

TEST_P(Silhouettes, OfTheEditorAndTheEngineAgree)
{
    const SilhouetteCase& c = GetParam();
    quillo::test::TempDir dir;
    const std::string model = std::string(QUILLO_SOURCE_DIR) + "/" + c.model;
    const QImage editor = render(QUILLOMODEL_PATH, dir / "editor.png", model, "640x480", c.camera);
    const QImage engine = render(QUILLOANIME_PATH, dir / "engine.png", model, "512x512", c.camera);
    ASSERT_FALSE(editor.isNull());
    ASSERT_FALSE(engine.isNull());
    const QRgb editorBackground = editor.pixel(0, 0), engineBackground = engine.pixel(0, 0);
    int both = 0, either = 0, editorOnly = 0, engineOnly = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 320; ++x) {
            const int ex = x - 213 + 256, ey = y - 240 + 256;
            const bool inEditor = editor.pixel(x, y) != editorBackground;
            const bool inEngine = ex >= 0 && ex < 512 && ey >= 0 && ey < 512 && engine.pixel(ex, ey) != engineBackground;
            both += inEditor && inEngine;
            either += inEditor || inEngine;
            editorOnly += inEditor && !inEngine;
            engineOnly += inEngine && !inEditor;
        }
    ASSERT_GT(either, 500) << "the model should cover a fair part of the frame";
    EXPECT_GE(double(both) / either, 0.95) << "editor only " << editorOnly << ", engine only " << engineOnly;
}

INSTANTIATE_TEST_SUITE_P(Examples, Silhouettes,
                         ::testing::Values(SilhouetteCase{"robot", "examples/robot.md4", ""},
                                           SilhouetteCase{"dice", "examples/dice.md4", "-20,-15,-170,-0.1,0,0.12"},
                                           SilhouetteCase{"joint", "examples/joint.md4", "-40,-25,-165,-0.15,0,0.25"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
