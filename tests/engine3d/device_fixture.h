// A software device with the engine's projection, an identity view and a
// white material, for tests that draw single triangles.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine3d/software_device.h"

namespace quillo::engine3d::test {

// The projection the device layer loads: depth from z = 30, y turned over.
inline Mat4 engineProjection() { return Mat4{{{1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, 1, 1}, {0, 0, -30, 0}}}; }

// FNV-1a over the target's pixels.
inline uint64_t checksum(const Target& t)
{
    uint64_t h = 1469598103934665603ull;
    for (uint32_t p : t.pixels)
        for (int k = 0; k < 4; ++k) {
            h ^= (p >> (8 * k)) & 0xFF;
            h *= 1099511628211ull;
        }
    return h;
}

class DeviceFixture : public ::testing::Test {
public:
    void SetUp() override { makeDevice(64, 64, 64.0f); }

    void makeDevice(int w, int h, float scale)
    {
        device = SoftwareDevice();
        ASSERT_TRUE(device.createTarget(w, h));
        view = device.createMatrix();
        projection = device.createMatrix();
        world = device.createMatrix();
        device.setMatrix(projection, engineProjection());
        device.setTransform(TransformKind::view, view);
        device.setTransform(TransformKind::projection, projection);
        ViewportDesc vp;
        vp.width = w, vp.height = h, vp.scale = scale;
        vp.maxX = float(w) / scale / 2, vp.maxY = float(h) / scale / 2;
        device.setViewport(vp);
        device.setAmbient(0x80C8C8C8);
        RenderStates states;
        states.specular = false;
        device.setRenderStates(states);
        white = colourMaterial(1, 1, 1);
    }

    // A material that shows `r, g, b` under the ambient light alone.
    MaterialHandle colourMaterial(float r, float g, float b, TextureHandle texture = 0)
    {
        MaterialDesc m;
        const float k = 255.0f / 200.0f;
        m.ambient = {r * k, g * k, b * k, 1};
        m.texture = texture;
        return device.createMaterial(m);
    }

    // One triangle list over the given vertices, all in the `world` group.
    ExecuteBatch batchOf(const std::vector<DeviceVertex>& vertices, const std::vector<uint16_t>& indices,
                         MaterialHandle material, TextureHandle texture = 0)
    {
        ExecuteBatch b;
        b.vertices = vertices;
        TriangleList list;
        list.material = material;
        list.texture = texture;
        list.groups.push_back({world, 0, uint32_t(vertices.size())});
        list.indices = indices;
        b.lists.push_back(list);
        return b;
    }

    Rect draw(const ExecuteBatch& b)
    {
        Rect extent;
        EXPECT_TRUE(device.execute(b, extent));
        return extent;
    }

    int countPixels(uint32_t colour) const
    {
        int n = 0;
        for (uint32_t p : device.target().pixels) n += p == colour;
        return n;
    }

    SoftwareDevice device;
    MatrixHandle view = 0, projection = 0, world = 0;
    MaterialHandle white = 0;
};

// A vertex at (x, y, z) facing the viewer.
inline DeviceVertex at(float x, float y, float z, float u = 0, float v = 0) { return {x, y, z, 0, 0, -1, u, v}; }

} // namespace quillo::engine3d::test
