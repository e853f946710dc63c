// The tests' name for the recording sound device.
#pragma once

#include "animation/recording_sound_device.h"

namespace quillo::anim::test {
using anim::RecordingSoundDevice;
} // namespace quillo::anim::test
