// An example or test model read and prepared as the program prepares it
// before an export (the patterns loaded, the textures sized).
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "model/colour_table.h"
#include "model/md4_file.h"

namespace quillo::test {

struct LoadedModel {
    ModelDocument document;
    GMTBL table;
    explicit LoadedModel(const std::string& path)
    {
        dt = defaultGridStep;
        EXPECT_EQ(readModel(document, path), ReadResult::ok) << path;
        for (ModelObject* o : document.objects) prepare(*o, table);
    }
};

} // namespace quillo::test
