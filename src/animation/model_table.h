// The loaded models, at most 64 for the whole program, each with the path it
// was loaded from. Scenes refer to them; the table owns them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "anim_model.h"

namespace quillo::anim {

inline constexpr int kMaxModels = 64;

class ModelTable {
public:
    explicit ModelTable(ModelLoader& loader) : loader_(loader) {}
    int count() const { return int(models_.size()); }
    AnimModel& model(int i) const { return *models_[size_t(i)].model; }
    const std::string& path(int i) const { return models_[size_t(i)].path; }
    // Loads the file as a further model. Null, with "このプログラムでは６４個
    // 以上のモデルは扱えません" when the table is full (nothing is read), or
    // with the loader's message when the file cannot be read.
    AnimModel* load(const std::string& path);
    // Forgets every model, and tells the loader.
    void clear();

private:
    struct Entry {
        std::string path;
        std::unique_ptr<AnimModel> model;
    };
    ModelLoader& loader_;
    std::vector<Entry> models_;
};

} // namespace quillo::anim
