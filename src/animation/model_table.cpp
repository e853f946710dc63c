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
    if (!model) return nullptr;
    models_.push_back({path, std::move(model)});
    return models_.back().model.get();
}

void ModelTable::clear()
{
    models_.clear();
    loader_.clear();
}

void reportMissingModel(const std::string& path) { errorbox(formatMessage(text::modelMissing, path.c_str())); }

} // namespace quillo::anim
