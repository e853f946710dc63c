#include "token_reader.h"

#include <climits>

#include "model/text_util.h"

namespace quillo::anim {

bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isStorableToken(std::string_view text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (isAsciiSpace(c) || c == '\0') return false;
    return true;
}

std::string cutToken(std::string_view token, size_t maxBytes)
{
    std::string cut = cutUtf8(token, maxBytes);
    if (cut.empty()) cut = std::string(token.substr(0, maxBytes));
    return cut;
}

void TokenReader::skipSpace()
{
    while (pos_ < bytes_.size() && isAsciiSpace(bytes_[pos_])) ++pos_;
}

bool TokenReader::token(std::string& out)
{
    skipSpace();
    const size_t start = pos_;
    while (pos_ < bytes_.size() && !isAsciiSpace(bytes_[pos_])) ++pos_;
    out.assign(bytes_.substr(start, pos_ - start));
    return pos_ > start;
}

bool TokenReader::number(int& out)
{
    skipSpace();
    size_t p = pos_;
    bool negative = false;
    if (p < bytes_.size() && (bytes_[p] == '+' || bytes_[p] == '-')) negative = bytes_[p++] == '-';
    const size_t digits = p;
    long long value = 0;
    while (p < bytes_.size() && bytes_[p] >= '0' && bytes_[p] <= '9') {
        value = value * 10 + (bytes_[p++] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (p == digits) return false;
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return false;
    out = int(value);
    pos_ = p;
    return true;
}

void TokenReader::skipByte()
{
    if (pos_ < bytes_.size()) ++pos_;
}

const unsigned char* TokenReader::bytes(size_t n)
{
    if (n > remaining()) return nullptr;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
    pos_ += n;
    return p;
}

} // namespace quillo::anim
