#include "pose_steps.h"

#include <cmath>
#include <cstdlib>

#include "model/fixed_point.h"

namespace quillo {

float moveDistance(int movestep, float dt)
{
    float d = 1.0f;
    for (int i = 1; i < movestep; ++i) d *= 5.0f;
    return d * dt;
}

float rotationAngle(int rotstep)
{
    float a = 0.0032724924f; // pi / 960
    for (int i = 1; i < rotstep; ++i) a *= 2.0f;
    return a;
}

bool stepPose(WorkingPose& p, int command, const PoseCommandIds& ids, float d, float r)
{
    struct Step {
        int id;
        float* value;
        float by;
    };
    const Step steps[] = {
        {ids.plusX, &p.x, d},       {ids.minusX, &p.x, -d},      {ids.plusY, &p.y, d},
        {ids.minusY, &p.y, -d},     {ids.plusZ, &p.z, d},        {ids.minusZ, &p.z, -d},
        {ids.turnUp, &p.a, r},      {ids.turnDown, &p.a, -r},    {ids.turnLeft, &p.c, -r},
        {ids.turnRight, &p.c, r},   {ids.twistLeft, &p.b, -r},   {ids.twistRight, &p.b, r},
    };
    for (const Step& s : steps)
        if (s.id == command) {
            *s.value += s.by;
            return true;
        }
    return false;
}

bool dragPose(WorkingPose& p, int horizontal, int vertical, float dx, float dy, const PoseCommandIds& ids,
              float d, float r)
{
    bool moved = true;
    if (horizontal == ids.horizontalX) p.x += dx * d * 0.1f;
    else if (horizontal == ids.horizontalY) p.y += dx * d * 0.1f;
    else if (horizontal == ids.horizontalZ) p.z += dx * d * -0.1f;
    else if (horizontal == ids.horizontalTurn) p.c += dx * r * 0.2f;
    else if (horizontal == ids.horizontalBank) p.b += dx * r * 0.2f;
    else moved = false;

    if (vertical == ids.verticalX) p.x += dy * d * 0.1f;
    else if (vertical == ids.verticalY) p.y += dy * d * 0.1f;
    else if (vertical == ids.verticalZ) p.z += dy * d * -0.1f;
    else if (vertical == ids.verticalTurn) p.a += dy * r * -0.2f;
    else return moved;
    return true;
}

bool chooseStep(int command, const PoseCommandIds& ids, int& movestep, int& rotstep, int& horizontal,
                int& vertical)
{
    if (command >= ids.firstMoveStep && command < ids.firstMoveStep + 6) {
        movestep = command - ids.firstMoveStep + 1;
    } else if (command >= ids.firstRotationStep && command < ids.firstRotationStep + 6) {
        rotstep = command - ids.firstRotationStep + 1;
    } else if (command == ids.verticalX || command == ids.verticalY || command == ids.verticalZ ||
               command == ids.verticalTurn || command == ids.verticalNone) {
        vertical = command;
    } else if (command == ids.horizontalX || command == ids.horizontalY || command == ids.horizontalZ ||
               command == ids.horizontalTurn || command == ids.horizontalBank || command == ids.horizontalNone) {
        horizontal = command;
    } else {
        return false;
    }
    return true;
}

bool readReal(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && std::isfinite(value);
}

int32_t zoomUp(int32_t zoom) { return std::abs(zoom) < (1 << 29) ? zoom * 2 : zoom; }

int32_t zoomDown(int32_t zoom) { return zoom / 2 != 0 ? zoom / 2 : zoom; }

void zoomFromAnswer(const std::string& answer, int32_t& zoom)
{
    double value;
    if (!readReal(answer, value)) return;
    const int32_t typed = truncToInt(value * 256.1);
    if (typed != 0) zoom = typed;
}

bool readScaleFactor(const std::string& answer, float& step, bool& refused)
{
    refused = false;
    double value;
    if (!readReal(answer, value)) {
        // "nan" and "inf" are numbers to "%g" too, and none of them is above zero.
        char* end = nullptr;
        const double typed = std::strtod(answer.c_str(), &end);
        refused = end != answer.c_str() && !std::isfinite(typed);
        return false;
    }
    const float typed = float(value);
    if (!(typed > 0.0f) || !std::isfinite(typed)) {
        refused = true;
        return false;
    }
    step = typed;
    return true;
}

} // namespace quillo
