#include "motion.h"

#include "anim_messages.h"
#include "anim_model.h"
#include "model/messages.h"
#include "pattern_words.h"
#include "token_reader.h"

namespace quillo::anim {

int motionRecordSize(AnimObject& object)
{
    int size = 4 * patternWordCount(object.textureCount());
    for (int i = 0; i < object.nodeCount(); ++i) size += object.node(i).poseSize();
    return size;
}

bool motionFits(const Motion& motion, AnimObject& object)
{
    if (motion.frames.recordSize() == motionRecordSize(object)) return true;
    errorbox(formatMessage(text::motionMismatch, motion.name.c_str()));
    return false;
}

Motion& MotionList::add(std::unique_ptr<Motion> motion)
{
    motions_.push_back(std::move(motion));
    return *motions_.back();
}

Motion* createMotion(MotionList& list, AnimObject& object, const std::string& name)
{
    if (!isStorableToken(name)) {
        errorbox(formatMessage(text::unstorable, name.c_str()));
        return nullptr;
    }
    auto motion = std::make_unique<Motion>();
    motion->name = cutToken(name, kNameBytes);
    motion->frames.reset(motionRecordSize(object));
    Motion& added = list.add(std::move(motion));
    object.currentMotion = &added;
    object.motionFrameIndex = 0;
    return &added;
}

} // namespace quillo::anim
