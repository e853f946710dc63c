// Reading the text headers of motion and animation files the way the C
// library's "%s" and "%d" read them, over bytes held in memory, so that every
// count and size can be checked against what the file really holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillo::anim {

// Longest names (scenes, motions) and dialogue lines, in bytes.
inline constexpr size_t kNameBytes = 79;
inline constexpr size_t kLineBytes = 89;

// Blank, tab, line feed, vertical tab, form feed, carriage return.
bool isAsciiSpace(char c);

// True when `text` is written as one token and reads back the same: not
// empty and without ASCII white space (U+3000 is not white space here).
bool isStorableToken(std::string_view text);

// A token cut to at most `maxBytes` bytes, at a UTF-8 character boundary;
// bytes that are no UTF-8 (a name typed in code page 932) are cut at the
// byte rather than dropped, so a token never becomes empty.
std::string cutToken(std::string_view token, size_t maxBytes);

class TokenReader {
public:
    explicit TokenReader(std::string_view bytes) : bytes_(bytes) {}
    // Skips white space and reads the next token; false at the end.
    bool token(std::string& out);
    // Skips white space and reads a decimal int with optional sign; false
    // when there is none or it does not fit an int.
    bool number(int& out);
    // Consumes one byte (the line feed after a header item), if any.
    void skipByte();
    // `n` raw bytes at the cursor, consumed; null when fewer remain.
    const unsigned char* bytes(size_t n);
    size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }

private:
    void skipSpace();
    std::string_view bytes_;
    size_t pos_ = 0;
};

} // namespace quillo::anim
