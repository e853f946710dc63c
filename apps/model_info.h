// The command-line modes of quillomodel that need no display.
#pragma once

#include <string>

namespace quillo {

class ModelDocument;

// A readable summary of a loaded document: objects with their part trees
// and the sizes of their tables, dt and the number flavour.
std::string describeModel(const ModelDocument& document, int variant);

// quillomodel --info FILE
int infoCommand(const std::string& path);
// quillomodel --convert IN OUT
int convertCommand(const std::string& in, const std::string& out);

} // namespace quillo
