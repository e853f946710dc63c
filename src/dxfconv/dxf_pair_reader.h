// Reads a DXF text file as group-code / value pairs: a code line and a value
// line, each with blanks, tabs and CR trimmed at both ends. The file is read
// in blocks, so memory stays small whatever its size.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quillo {

class DxfPairReader {
public:
    // Code given to a code line that is not an integer; it matches nothing.
    static constexpr int invalidCode = -1000000;

    // Lines longer than the block or `longestLine`, whichever is larger, are
    // cut there (no DXF value comes near), so memory stays bounded even for
    // a file without line ends.
    explicit DxfPairReader(std::FILE* file, size_t blockSize = 1 << 20, size_t longestLine = 1 << 16);

    // Reads the next pair. False at the end of the file (a code line without
    // its value line is dropped) or when reading failed (see failed()).
    bool next();

    int code() const { return code_; }
    // Valid until the next call of next().
    std::string_view value() const { return value_; }
    // Line number (1-based) of the current value line.
    long line() const { return line_; }
    bool failed() const { return failed_; }

private:
    bool readLine(std::string_view& line);
    bool fill();

    std::FILE* file_;
    std::vector<char> buffer_;
    size_t begin_ = 0; // unread bytes are buffer_[begin_, end_)
    size_t end_ = 0;
    size_t longestLine_;
    bool skipRest_ = false; // the rest of a cut line is still to be passed over
    bool atEnd_ = false;
    bool failed_ = false;
    int code_ = invalidCode;
    std::string_view value_;
    long line_ = 0;
};

// The text with blanks, tabs and CR removed at both ends.
std::string_view trimDxfLine(std::string_view text);

// Integer and float parsing of a whole trimmed value ("C" rules, a leading
// "+" allowed). False when the text is not entirely such a number or the
// number does not fit.
bool parseDxfInt(std::string_view text, int& out);
bool parseDxfFloat(std::string_view text, float& out);

} // namespace quillo
