// Round-trip properties over random inputs: random valid models read back
// as written in both flavours (and write the same text again), and random
// DXF drawings convert to models the reader takes with the expected counts.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "../dxfconv/dxf_test_util.h"
#include "../support/temp_dir.h"
#include "dxfconv/convert_dxf.h"
#include "model/md4_file.h"
#include "model/messages.h"
#include "model_compare.h"

using namespace quillo;

namespace {

// Names a file keeps as one token, keywords among them.
const char* const names[] = {"v", "q", "Q", "m", "c", "pe", "oe", "te", "tb", "ob", "pb", "dt", "txy", "Qs",
                             "本体", "主要部分", "a", "part_1", "x0123456789012345678901234567890123456789012345678901234567890123456789abcdefgh"};
const float coefficients[] = {0.0f, 0.25f, 0.3f, 1.0f, 0.5f, 0.125f};
const float steps[] = {0.0125f, 0.01f, 0.1f, 0.00125f, 1.0f};

// Builds random models the way the reader would hold them: every face has
// a material; each texture has one material, after the untextured one of
// its colour; faces of a part differ by more than a rotation.
class ModelGenerator {
public:
    ModelGenerator(unsigned seed, std::string folder) : random_(seed), folder_(std::move(folder)) {}

    void document(ModelDocument& doc)
    {
        dt = steps[pick(std::size(steps))];
        for (int i = 0, n = 1 + pick(3); i < n; ++i) {
            auto* o = new ModelObject(true);
            object(*o, 0);
            doc.objects.append(o);
        }
    }

private:
    int pick(size_t n) { return int(std::uniform_int_distribution<size_t>(0, n - 1)(random_)); }
    int range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    float snapped(int grid) { return snap(float(grid) * dt); }
    void name(char* field, size_t size) { std::snprintf(field, size, "%s", names[pick(std::size(names))]); }

    void object(ModelObject& o, int depth)
    {
        name(o.name, sizeof o.name);
        for (float& p : o.position) p = snapped(range(-500, 500));
        for (int i = 0, n = range(3, 20); i < n; ++i)
            o.vertices.append(makeVertex(snapped(range(-3000, 3000)), snapped(range(-3000, 3000)), snapped(range(-300, 300))));
        for (int i = 0, n = range(1, 4); i < n; ++i) {
            Material m{range(0, 255), range(0, 255), range(0, 255), coefficients[pick(6)], coefficients[pick(6)],
                       coefficients[pick(6)], -1, 0};
            o.materials.append(m);
        }
        const int colours = o.materials.count();
        for (int i = 0, n = range(0, 3); i < n; ++i) {
            Texture t = makeTexture();
            if (i == 0 && pick(3) == 0)
                std::snprintf(t.name, sizeof t.name, "te"); // names are unique: the first only
            else
                std::snprintf(t.name, sizeof t.name, "%s_%d", names[pick(std::size(names))], i);
            t.plane = pick(3) * 2;
            t.x0 = range(-400, 400);
            t.y0 = range(-400, 400);
            t.x1 = t.x0 + range(0, 300); // rectangles are rarely square
            t.y1 = t.y0 + range(0, 300);
            t.patternCount = range(1, 5);
            for (int k = 0; k < t.patternCount; ++k)
                std::snprintf(t.files[k], pathSize, "%s%s", pick(2) ? folder_.c_str() : "/elsewhere/",
                              k == 1 ? "te" : ("p" + std::to_string(k) + ".bmp").c_str());
            Material m = o.materials[pick(size_t(colours))];
            t.red = m.red;
            t.green = m.green;
            t.blue = m.blue;
            t.ambient = m.ambient;
            t.diffuse = m.diffuse;
            t.specular = m.specular;
            m.texture = o.textures.append(t);
            o.materials.append(m);
        }
        part(o, *o.rootPart, depth, 0);
    }

    void part(ModelObject& o, ModelPart& p, int depth, int level)
    {
        name(p.name, sizeof p.name);
        for (float& c : p.position) c = snapped(range(-200, 200));
        const int vertices = o.vertices.count();
        for (int i = 0, n = range(0, 8); i < n; ++i) {
            Face f{};
            for (int k = 0; k < 4; ++k) f.index(k) = range(0, vertices - 1);
            f.altDiagonal = pick(2);
            f.twistFix = pick(4) == 0;
            f.doubleSided = pick(2);
            f.material = range(0, o.materials.count() - 1);
            bool repeated = false;
            for (const Face& g : p.faces) repeated = repeated || sameFace(f, g);
            if (!repeated) p.faces.append(f);
        }
        if (level < 3)
            for (int i = 0, n = range(0, 2); i < n; ++i) {
                auto* child = new ModelPart(true);
                p.children.append(child);
                part(o, *child, depth, level + 1);
            }
        if (depth < 1 && pick(3) == 0) {
            auto* embedded = new ModelObject(false);
            object(*embedded, depth + 1);
            p.objects.append(embedded);
        }
    }

    std::mt19937 random_;
    std::string folder_;
};

class RoundTrip : public ::testing::TestWithParam<const char*> {
protected:
    void TearDown() override { dt = defaultGridStep; }
    test::TempDir dir;
    MessageLog log;
};

TEST_P(RoundTrip, RandomModelsReadBackAsWrittenAndWriteTheSameText)
{
    const std::string path = dir / GetParam();
    for (unsigned seed = 1; seed <= 150; ++seed) {
        ModelDocument model;
        ModelGenerator(seed, dir.str()).document(model);
        const float step = dt;
        const std::string written = writeModelText(model, path);
        ModelDocument back;
        std::string reason;
        ASSERT_EQ(readModelText(back, written, path, &reason), ReadResult::ok) << "seed " << seed << ": " << reason;
        ASSERT_TRUE(log.messages.empty()) << "seed " << seed << ": " << log.messages[0];
        ASSERT_EQ(compareModels(model, back, variantFromName(path), step, dt), "") << "seed " << seed << "\n" << written;
        ASSERT_EQ(writeModelText(back, path), written) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Flavours, RoundTrip, ::testing::Values("model.md4", "model.md5"),
                         [](const auto& info) { return std::string(std::string(info.param).back() == '4' ? "Integer" : "Real"); });

// Random drawings of distinct shapes far apart: quadrilaterals, lone right
// triangles, and rectangles cut along a diagonal (the longest edge of both
// halves, so that pairing makes one quadrilateral of them).
TEST(RandomDrawings, ConvertToModelsWithTheExpectedCounts)
{
    test::TempFolder folder;
    MessageLog log;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        auto range = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
        std::string faces;
        int quads = 0, lone = 0, pairs = 0;
        for (int shape = 0, n = range(1, 30); shape < n; ++shape) {
            const double x = shape * 100.0, y = range(-50, 50), z = range(-50, 50);
            const double w = range(1, 20), h = range(1, 20), colour = range(1, 9);
            switch (range(0, 2)) {
            case 0:
                faces += test::plainFace(colour, {x, y, z, x + w, y, z, x + w, y + h, z + 1, x, y + h, z + 2});
                ++quads;
                break;
            case 1:
                faces += test::plainFace(colour, {x, y, z, x + w, y, z, x, y + h, z, x, y + h, z});
                ++lone;
                break;
            default:
                faces += test::plainFace(colour, {x, y, z, x + w, y, z, x + w, y + h, z, x + w, y + h, z});
                faces += test::plainFace(colour, {x, y, z, x + w, y + h, z, x, y + h, z, x, y + h, z});
                ++pairs;
            }
        }
        test::writeFile(folder.file("d.dxf"), test::entities(faces));
        for (bool fast : {false, true}) {
            ConversionOptions o;
            o.inputPath = folder.file("d.dxf");
            o.outputPath = folder.file("d.md4");
            o.fast = fast;
            o.groupByColour = seed % 2;
            ASSERT_TRUE(convertDxf(o)) << "seed " << seed;
            ModelDocument model;
            ASSERT_EQ(readModel(model, o.outputPath), ReadResult::ok);
            ASSERT_TRUE(log.messages.empty()) << log.messages[0];
            const ModelObject& object = *model.objects[0];
            EXPECT_EQ(object.vertices.count(), 4 * quads + 3 * lone + 4 * pairs) << "seed " << seed;
            int count = object.rootPart->faces.count();
            for (const ModelPart* c : object.rootPart->children) count += c->faces.count();
            EXPECT_EQ(count, quads + lone + (fast ? 2 : 1) * pairs) << "seed " << seed << (fast ? " fast" : "");
            dt = defaultGridStep;
        }
    }
}

} // namespace
