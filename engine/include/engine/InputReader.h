#pragma once
// The one reader of the engine's four input files. A file is taken line by
// line in two ways:
//  - whole-line reading takes exactly the next line, blank or not;
//  - word-by-word reading (a WordRead) takes values separated by blanks, tabs
//    or commas, starting on the next line and going on over the following
//    lines while values are missing, passing over blank lines; what follows
//    the last value taken on a line is discarded.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tesvorik {

// An input file that is missing, ends early or holds a word that is not a
// number where a number is read.
class InputError : public std::runtime_error {
public:
    InputError(std::string file, std::string problem, int line);

    const std::string& File() const { return file_; }
    const std::string& Problem() const { return problem_; }
    int Line() const { return line_; } // 0 when the problem concerns no line

private:
    std::string file_;
    std::string problem_;
    int line_;
};

// Fills a text field: cuts the text to the width or pads it with blanks.
std::string FixedText(std::string_view text, std::size_t width);

class InputReader {
public:
    // Reads the whole file `name` in `folder`; the file is closed again before
    // this returns.
    static InputReader Open(const std::filesystem::path& folder, const std::string& name);
    // A reader over lines already in memory (their ends stripped).
    InputReader(std::string fileName, std::vector<std::string> lines);

    // Whole-line reading: the first `width` characters of the next line.
    std::string ReadLine(std::size_t width);
    void SkipLines(int count);

    // Word-by-word reading: one word from each of the next `count` lines
    // that are not blank.
    void SkipWordLines(int count);

    const std::string& FileName() const { return fileName_; }

    class WordRead;
    WordRead Words();

private:
    friend class WordRead;
    const std::string& NextLine(); // throws when the file has ended
    [[noreturn]] void Fail(const std::string& problem, int line) const;

    std::string fileName_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0; // index of the next line to read
};

// One word-by-word read. Values are taken in order; the read ends, and the
// rest of its last line is discarded, when the object is no longer used.
class InputReader::WordRead {
public:
    explicit WordRead(InputReader& reader) : reader_(reader) {}

    std::string Word(std::size_t width);
    float Number();
    int Integer();
    void SkipWords(int count);

private:
    std::string_view NextWord();

    InputReader& reader_;
    std::vector<std::string_view> words_; // the words of the current line
    std::size_t nextWord_ = 0;
    int line_ = 0; // number (from 1) of the current line
};

} // namespace tesvorik
