#include "model_table.h"

#include "anim_messages.h"
#include "anim_model.h"
#include "model/messages.h"

namespace quillo::anim {

AnimModel* ModelTable::load(const std::string& path)
{
    if (count() >= kMaxModels) {
        errorbox(formatMessage("%s", text::tableFull));
        return nullptr;
    }
    std::unique_ptr<AnimModel> model = loader_.load(path);
    if (!model) {
        errorbox(formatMessage(text::modelMissing, path.c_str()));
        return nullptr;
    }
    models_.push_back({path, std::move(model)});
    return models_.back().model.get();
}

} // namespace quillo::anim
