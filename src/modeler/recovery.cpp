#include "recovery.h"

#include <filesystem>

#include "model/md4_file.h"

namespace quillo {

const char* const recoveryQuestion = "前回終了時に保存されていない変更があります\n復元しますか？";

// Real numbers (".md5") keep positions that are off the grid as they are.
Recovery::Recovery(std::string folder) : folder_(std::move(folder)), path_(folder_ + "/recovery.md5") {}

bool Recovery::exists() const
{
    std::error_code error;
    return std::filesystem::is_regular_file(path_, error);
}

bool Recovery::write(const ModelDocument& document, uint64_t generation, uint64_t savedGeneration)
{
    if (generation == savedGeneration) {
        settle(generation, savedGeneration);
        return true;
    }
    if (written_ && *written_ == generation && exists()) return true;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (!writeModel(document, path_)) return false;
    written_ = generation;
    return true;
}

void Recovery::settle(uint64_t generation, uint64_t savedGeneration)
{
    if (generation == savedGeneration && (written_ || exists())) remove();
}

void Recovery::remove()
{
    std::error_code error;
    std::filesystem::remove(path_, error);
    written_.reset();
}

} // namespace quillo
