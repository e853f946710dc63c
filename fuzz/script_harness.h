// The --script readers of the programs, without a window: the input is a
// script, read through as each program would read it but with no verb run.
// Each returns "" when every property held, otherwise what broke.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillo::fuzz {

// quillomodel's verbs and answers (ModelerScript::check).
std::string modelerScript(const uint8_t* data, size_t size);
// quilloanime's verbs and answers (AnimeScript::check).
std::string animeScript(const uint8_t* data, size_t size);
// facesmith's verbs (readFacesmithLine) and answers.
std::string facesmithScript(const uint8_t* data, size_t size);
// quillosaver's verbs (readSaverLine), read as a -c script for the settings
// dialog and as a -s script for the saver window, and answers.
std::string saverScript(const uint8_t* data, size_t size);

} // namespace quillo::fuzz
