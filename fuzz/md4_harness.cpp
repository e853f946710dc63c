#include <string>

#include "harness.h"
#include "model/colour_table.h"
#include "model/md4_file.h"
#include "model/messages.h"
#include "model_compare.h"

namespace quillo::fuzz {

namespace {

// The folder is never read: patterns named by the input are not found.
const char* const folder = "/nonexistent-quillo-fuzz/";

} // namespace

std::string md4(const uint8_t* data, size_t size)
{
    if (size == 0) return "";
    const uint8_t mode = data[0];
    const std::string path = std::string(folder) + (mode & 1 ? "model.md5" : "model.md4");
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    MessageLog log;
    dt = defaultGridStep;
    ModelDocument first;
    if (mode & 2) {
        // Insert into an object of its own, as the editor's 挿入 does.
        GMTBL table;
        const char base[] = "ob base 0 0 0\n v 0 0 0\n v 8 0 0\n v 8 8 0\npb root 0 0 0\n m 0 1 0\n c 1 2 3\n"
                            " q 0 1 2 2\n pb child 0 0 0\n pe child\npe root\noe base\n";
        if (readModelText(first, base, path) != ReadResult::ok) return "the base model does not read";
        ModelObject& object = *first.objects[0];
        ModelPart& part = mode & 4 ? *object.rootPart->children[0] : *object.rootPart;
        insertModelText(object, part, (mode & 4) != 0, text, path, table);
    } else if (readModelText(first, text, path) != ReadResult::ok) {
        return first.objects.count() == 0 ? "" : "a refused file left objects behind";
    }
    const float firstStep = dt;
    const std::string written = writeModelText(first, path);
    log.messages.clear();
    ModelDocument second;
    std::string reason;
    if (readModelText(second, written, path, &reason) != ReadResult::ok)
        return "the written model does not read back: " + reason + "\n" + written;
    if (!log.messages.empty()) return "reading the written model said: " + log.messages[0] + "\n" + written;
    int rounded = 0;
    std::string difference = compareModels(first, second, variantFromName(path), firstStep, dt, &rounded);
    if (!difference.empty()) return "read back differently: " + difference + "\n" + written;
    const std::string again = writeModelText(second, path);
    if (rounded == 0 && again != written) return "a second write differs:\n" + written + "\n---\n" + again;
    return "";
}

} // namespace quillo::fuzz
