// A document over stand-in models and a recording sound device, with a
// camera and a view that remember what they were shown.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "animation/animation_document.h"
#include "animation/stage_view.h"
#include "fake_models.h"
#include "model/messages.h"
#include "animation/recording_sound_device.h"
#include "support/temp_dir.h"

namespace quillo::anim::test {

class RecordingView : public StageView {
public:
    void showDialogue(const std::string& line) override { lines.push_back(line); }
    void showBackground(const std::string& path) override { backgrounds.push_back(path); }
    std::vector<std::string> lines, backgrounds;
};

class AnimFixture : public ::testing::Test {
protected:
    AnimFixture()
    {
        loader.shapes["robot.md4"] = {{3, 2}};     // one object: T = 3, root and two joints
        loader.shapes["pair.md4"] = {{0, 0}, {6, 1}}; // a model with a nested object
        doc.camera = &camera;
        doc.view = &view;
    }
    FakeObject& object(int i) { return *static_cast<FakeObject*>(doc.current().objects[size_t(i)]); }

    MessageLog log;
    FakeLoader loader;
    RecordingSoundDevice sound;
    AnimationDocument doc{loader, sound};
    FakeCamera camera;
    RecordingView view;
    quillo::test::TempDir dir;
};

} // namespace quillo::anim::test
