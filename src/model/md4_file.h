// MD4 model files (.md4 with integer grid coordinates, .md5 and others with
// reals): one text grammar of whitespace-separated tokens.
//
// Names longer than 79 bytes and paths longer than 259 bytes are cut at a
// UTF-8 character boundary. A number that cannot be read, or a face that
// names a vertex the object does not have, is reported; the first makes the
// whole read fail and leaves the document as it was, the second drops the
// face.
#pragma once

#include <cstdio>
#include <string>

#include "model.h"

namespace quillo {

class GMTBL;

// The number flavour of a model file, from the last character of its name:
// 4 for "...4" (integers in grid units), 5 for "...5", -1 otherwise (reals).
enum FormatVariant : int { variantReal = -1, variantInteger = 4, variantReal5 = 5 };
extern int formatVariant;
int variantFromName(const std::string& path);

// The directory of a model file, with its trailing "/" (the current
// directory for a bare file name).
std::string modelDirectory(const std::string& path);

enum class ReadResult { ok, cannotOpen, malformed };

// Reads every object of the file into the document (appended after what
// it holds). On failure the document and `dt` are left as they were, and
// `reason` (when given) says why in one line.
ReadResult readModel(ModelDocument& document, const std::string& path, std::string* reason = nullptr);

// The same for text already in memory; `path` gives the flavour and the
// folder that relative paths are taken from.
ReadResult readModelText(ModelDocument& document, const std::string& text, const std::string& path,
                         std::string* reason = nullptr);

// Reads the first object of the file: merged into `part` (and so into
// `object`) when `mergeIntoPart`, otherwise as a new object embedded in
// `part`. The affected object is prepared with `table`; the caller redraws.
// Returns false when nothing could be inserted.
ReadResult insertModel(ModelObject& object, ModelPart& part, bool mergeIntoPart, const std::string& path,
                       GMTBL& table);
ReadResult insertModelText(ModelObject& object, ModelPart& part, bool mergeIntoPart, const std::string& text,
                           const std::string& path, GMTBL& table);

// Writes every top-level object; atomically (temporary file, then rename).
bool writeModel(const ModelDocument& document, const std::string& path);

// The text writeModel writes for a file named `path`.
std::string writeModelText(const ModelDocument& document, const std::string& path);

// Writes one object block; with `rootOverride`, that part stands in for the
// root part (partial save).
bool writeObjectFile(const ModelObject& object, const ModelPart* rootOverride, const std::string& path);

// The text of one object block in the given flavour, paths written relative
// to `directory` where they lie in it.
std::string writeObject(const ModelObject& object, const ModelPart* rootOverride, int variant,
                        const std::string& directory);

} // namespace quillo
