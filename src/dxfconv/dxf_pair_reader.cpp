#include "dxf_pair_reader.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace quillo {

std::string_view trimDxfLine(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

bool parseDxfInt(std::string_view text, int& out)
{
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    if (text.empty() || text[0] == '+') return false;
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    out = v;
    return true;
}

bool parseDxfFloat(std::string_view text, float& out)
{
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    if (text.empty() || text[0] == '+') return false;
    const char* first = text.data();
    const char* last = first + text.size();
    float v = 0;
    auto [end, ec] = std::from_chars(first, last, v);
    if (ec == std::errc::result_out_of_range) {
        // Too small for a normal float: take the nearest float of the value;
        // too large: refused below as not finite.
        double d = 0;
        auto [dend, dec] = std::from_chars(first, last, d);
        if (dec != std::errc()) return false;
        end = dend;
        v = float(d);
    } else if (ec != std::errc()) {
        return false;
    }
    if (end != last || !std::isfinite(v)) return false;
    out = v;
    return true;
}

DxfPairReader::DxfPairReader(std::FILE* file, size_t blockSize, size_t longestLine)
    : file_(file), buffer_(blockSize < 16 ? 16 : blockSize), longestLine_(longestLine)
{
}

bool DxfPairReader::fill()
{
    if (atEnd_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2); // a long line, below the cut
    size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += got;
    if (got == 0) {
        atEnd_ = true;
        if (std::ferror(file_)) failed_ = true;
        return false;
    }
    return true;
}

bool DxfPairReader::readLine(std::string_view& line)
{
    while (skipRest_) {
        const void* nl = std::memchr(buffer_.data() + begin_, '\n', end_ - begin_);
        if (nl) {
            begin_ = size_t(static_cast<const char*>(nl) - buffer_.data()) + 1;
            skipRest_ = false;
        } else {
            begin_ = end_;
            if (!fill()) return false;
        }
    }
    size_t scanned = begin_;
    for (;;) {
        const char* start = buffer_.data() + scanned;
        const void* nl = std::memchr(start, '\n', end_ - scanned);
        if (nl) {
            size_t at = size_t(static_cast<const char*>(nl) - buffer_.data());
            line = std::string_view(buffer_.data() + begin_, at - begin_);
            begin_ = at + 1;
            ++line_;
            return true;
        }
        size_t pending = end_ - begin_;
        if (pending == buffer_.size() && pending >= longestLine_) {
            // Keep the start of an overlong line; the rest is skipped later.
            line = std::string_view(buffer_.data() + begin_, pending);
            begin_ = end_;
            skipRest_ = true;
            ++line_;
            return true;
        }
        if (!fill()) {
            if (failed_ || pending == 0) return false;
            line = std::string_view(buffer_.data() + begin_, end_ - begin_); // last line without a line end
            begin_ = end_;
            ++line_;
            return true;
        }
        scanned = begin_ + pending;
    }
}

bool DxfPairReader::next()
{
    std::string_view line;
    if (!readLine(line)) return false;
    int code;
    code_ = parseDxfInt(trimDxfLine(line), code) ? code : invalidCode;
    if (!readLine(line)) return false;
    value_ = trimDxfLine(line);
    return true;
}

} // namespace quillo
