#include "engine/InputReader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>

namespace tesvorik {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && IsSeparator(line[pos]))
            ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && !IsSeparator(line[pos]))
            ++pos;
        if (pos > start) words.push_back(line.substr(start, pos - start));
    }
    return words;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as the engine accepts it: an optional sign, digits with or without
// a decimal point, and an optional exponent part (E or D, with or without a
// sign): 12, -0.5, .5, 5E-001, 2.5E+003, 1d3.
bool IsNumberText(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos, ++digits;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos, ++digits;
    }
    if (digits == 0) return false;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        std::size_t exponentDigits = 0;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return pos == text.size();
}

bool IsIntegerText(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (pos == text.size()) return false;
    for (; pos < text.size(); ++pos)
        if (!IsDigit(text[pos])) return false;
    return true;
}

std::string Quoted(std::string_view word) {
    std::string quoted(1, '\'');
    quoted.append(word).push_back('\'');
    return quoted;
}

} // namespace

InputError::InputError(std::string file, std::string problem, int line)
    : std::runtime_error("Error reading " + file + ": " + problem +
                         (line > 0 ? " (line " + std::to_string(line) + ")" : std::string())),
      file_(std::move(file)), problem_(std::move(problem)), line_(line) {}

std::string FixedText(std::string_view text, std::size_t width) {
    std::string field(text.substr(0, width));
    field.resize(width, ' ');
    return field;
}

InputReader InputReader::Open(const std::filesystem::path& folder, const std::string& name) {
    std::ifstream file(folder / name, std::ios::binary);
    if (!file) throw InputError(name, "cannot open the file", 0);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    if (file.bad()) throw InputError(name, "cannot read the file", 0);
    return InputReader(name, std::move(lines));
}

InputReader::InputReader(std::string fileName, std::vector<std::string> lines)
    : fileName_(std::move(fileName)), lines_(std::move(lines)) {}

void InputReader::Fail(const std::string& problem, int line) const {
    throw InputError(fileName_, problem, line);
}

const std::string& InputReader::NextLine() {
    if (next_ >= lines_.size()) Fail("the file ends early", static_cast<int>(lines_.size()) + 1);
    return lines_[next_++];
}

std::string InputReader::ReadLine(std::size_t width) {
    return FixedText(NextLine(), width);
}

void InputReader::SkipLines(int count) {
    for (int i = 0; i < count; ++i)
        NextLine();
}

void InputReader::SkipWordLines(int count) {
    for (int i = 0; i < count; ++i)
        Words().SkipWords(1);
}

InputReader::WordRead InputReader::Words() {
    return WordRead(*this);
}

std::string_view InputReader::WordRead::NextWord() {
    while (nextWord_ >= words_.size()) {
        words_ = SplitWords(reader_.NextLine());
        nextWord_ = 0;
        line_ = static_cast<int>(reader_.next_);
    }
    return words_[nextWord_++];
}

std::string InputReader::WordRead::Word(std::size_t width) {
    return FixedText(NextWord(), width);
}

void InputReader::WordRead::SkipWords(int count) {
    for (int i = 0; i < count; ++i)
        NextWord();
}

float InputReader::WordRead::Number() {
    const std::string word(NextWord());
    if (!IsNumberText(word)) reader_.Fail(Quoted(word) + " is not a number", line_);
    std::string text = word;
    for (char& c : text)
        if (c == 'D' || c == 'd') c = 'E';
    errno = 0;
    const float value = std::strtof(text.c_str(), nullptr);
    // Too small a value becomes 0 or a denormal; too large a one is refused.
    if (errno == ERANGE && std::isinf(value)) reader_.Fail(Quoted(word) + " is out of range", line_);
    return value;
}

int InputReader::WordRead::Integer() {
    const std::string word(NextWord());
    if (!IsIntegerText(word)) reader_.Fail(Quoted(word) + " is not a whole number", line_);
    errno = 0;
    const long long value = std::strtoll(word.c_str(), nullptr, 10);
    if (errno == ERANGE || value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        reader_.Fail(Quoted(word) + " is out of range", line_);
    return static_cast<int>(value);
}

} // namespace tesvorik
