#pragma once
// The paint and CSV comparison, the same for every grid library: a top-level window
// of 1920 x 1080 pixels holding a grid of 20 columns x 100,000 rows of
// short texts and numbers (every column 90 pixels wide, every row 20
// pixels high, DejaVu Sans 8 points, one header row and one header
// column), shown on the X display of the environment. Each case of the
// case list is timed on its own and reported as one line
//   <case> <value>
// so that the script prints one table for all libraries. A library's
// program supplies an adapter:
//   void Create(int Cols, int Rows, int Width, int Height, const char* Font, int Points,
//               int ColWidth, int RowHeight);
//   void Set(int Row, int Col, const std::string& Text); // before the window shows
//   void Show();       // shows the window and waits until it is painted
//   void Repaint();    // repaints the whole window and returns once the X
//                      // server has the frame (a round trip on the
//                      // library's own connection)
//   void PageDown();   // one page down as the Page Down key does it,
//                      // followed by its repaint, returned as Repaint does
// The CSV cases work on a second grid of 20 columns x 50,000 rows of mixed
// texts (words, numbers, commas, quotes, line breaks), off screen:
//   void CsvFill(int Cols, int Rows);              // fills it (not timed)
//   void CsvExport(const std::string& Path);       // writes it as CSV
//   void CsvImport(const std::string& Path);       // reads the file into an
//                                                  // emptied grid
//   std::string CsvCell(int Row, int Col);         // a cell read back
// A library without a CSV writer and reader of its own uses WriteCsv and
// ReadCsv below over its usual item API.
// New cases join the list in Cases(); a case of its own adapter routine
// needs that routine in every program. Only standard C++, so that each
// library's program includes nothing but its own library.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace paintbench {

constexpr int Columns = 20;
constexpr int Rows = 100000;
constexpr int WindowWidth = 1920;
constexpr int WindowHeight = 1080;
constexpr int ColWidth = 90;
constexpr int RowHeight = 20;
constexpr const char* FontName = "DejaVu Sans";
constexpr int FontPoints = 8;
constexpr int Repaints = 50;
constexpr int PageDowns = 1000;

// The text of a data cell (0-based data row and column): numbers in the
// even columns, short words in the odd ones.
inline std::string CellText(int Row, int Col) {
    static const char* const Words[] = {"alpha", "bravo", "Rhine", "Meuse", "atrazine", "runoff", "sorption"};
    if (Col % 2 == 0) return std::to_string((Row * 37 + Col * 101) % 100000) + "." + std::to_string(Row % 100);
    return std::string(Words[(Row + Col) % 7]) + " " + std::to_string(Row);
}

constexpr int CsvColumns = 20;
constexpr int CsvRows = 50000;

// The text of a cell of the CSV grid.
inline std::string CsvText(int Row, int Col) {
    switch ((Col + Row) % 5) {
    case 0: return "word" + std::to_string(Row);
    case 1: return std::to_string(Row * 31 + Col) + ".25";
    case 2: return "a, b and c " + std::to_string(Col);
    case 3: return "say \"" + std::to_string(Row) + "\" twice";
    default: return "first line\r\nsecond " + std::to_string(Row);
    }
}

// A plain RFC 4180 writer: a field holding a comma, a quote or a line break
// is quoted with its quotes doubled; every record ends with CR LF.
inline bool WriteCsv(const std::string& Path, int Rows, int Cols,
                     const std::function<std::string(int Row, int Col)>& Get) {
    std::FILE* File = std::fopen(Path.c_str(), "wb");
    if (!File) return false;
    std::string Line;
    for (int r = 0; r < Rows; ++r) {
        Line.clear();
        for (int c = 0; c < Cols; ++c) {
            if (c > 0) Line += ',';
            const std::string Text = Get(r, c);
            if (Text.find_first_of(",\"\r\n") == std::string::npos) {
                Line += Text;
                continue;
            }
            Line += '"';
            for (char Ch : Text) {
                if (Ch == '"') Line += '"';
                Line += Ch;
            }
            Line += '"';
        }
        Line += "\r\n";
        std::fwrite(Line.data(), 1, Line.size(), File);
    }
    return std::fclose(File) == 0;
}

// The matching reader: the records as rows of fields.
inline std::vector<std::vector<std::string>> ReadCsv(const std::string& Path) {
    std::vector<std::vector<std::string>> Records;
    std::FILE* File = std::fopen(Path.c_str(), "rb");
    if (!File) return Records;
    std::string Data;
    char Buffer[1 << 16];
    for (size_t Read; (Read = std::fread(Buffer, 1, sizeof Buffer, File)) > 0;) Data.append(Buffer, Read);
    std::fclose(File);
    std::vector<std::string> Record;
    std::string Field;
    for (size_t i = 0, End = Data.size(); i < End;) {
        Field.clear();
        if (Data[i] == '"') {
            for (++i; i < End; ++i) {
                if (Data[i] != '"') {
                    Field += Data[i];
                } else if (i + 1 < End && Data[i + 1] == '"') {
                    Field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            while (i < End && Data[i] != ',' && Data[i] != '\r' && Data[i] != '\n') Field += Data[i++];
        }
        Record.push_back(Field);
        if (i < End && Data[i] == ',') {
            ++i;
            continue;
        }
        if (i < End && Data[i] == '\r') ++i;
        if (i < End && Data[i] == '\n') ++i;
        Records.push_back(std::move(Record));
        Record.clear();
    }
    return Records;
}

// The file the CSV cases write and read, one per program run.
inline std::string CsvPath() {
    static const std::string Path =
        (std::filesystem::temp_directory_path() /
         ("grid-csv-compare-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
          ".csv"))
            .string();
    return Path;
}

inline double Seconds(std::chrono::steady_clock::time_point From) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - From).count();
}

template <class TAdapter>
struct TCase {
    const char* Name;
    // Answers the value printed for the case.
    std::function<double(TAdapter&)> Run;
};

template <class TAdapter>
std::vector<TCase<TAdapter>> Cases() {
    return {
        // One full repaint of the window: the median of 50, in milliseconds.
        {"repaint-ms",
         [](TAdapter& A) {
             std::vector<double> Times;
             for (int i = 0; i < Repaints; ++i) {
                 const auto Start = std::chrono::steady_clock::now();
                 A.Repaint();
                 Times.push_back(Seconds(Start) * 1000);
             }
             std::sort(Times.begin(), Times.end());
             return (Times[Repaints / 2 - 1] + Times[Repaints / 2]) / 2;
         }},
        // 1,000 page-down scrolls, each with its repaint, in seconds.
        {"page-down-x1000-s",
         [](TAdapter& A) {
             const auto Start = std::chrono::steady_clock::now();
             for (int i = 0; i < PageDowns; ++i) A.PageDown();
             return Seconds(Start);
         }},
        // CSV export of the 1,000,000 mixed cells, in seconds.
        {"csv-export-s",
         [](TAdapter& A) {
             A.CsvFill(CsvColumns, CsvRows);
             const auto Start = std::chrono::steady_clock::now();
             A.CsvExport(CsvPath());
             return Seconds(Start);
         }},
        // CSV import of the file just written, in seconds; -1 when a cell
        // read back differs from the one written.
        {"csv-import-s",
         [](TAdapter& A) {
             const auto Start = std::chrono::steady_clock::now();
             A.CsvImport(CsvPath());
             const double Taken = Seconds(Start);
             std::filesystem::remove(CsvPath());
             for (int r : {0, 1, 2, 3, 4, CsvRows / 2, CsvRows - 1})
                 for (int c = 0; c < CsvColumns; ++c)
                     if (A.CsvCell(r, c) != CsvText(r, c)) {
                         std::fprintf(stderr, "CSV cell %d,%d read back differs\n", r, c);
                         return -1.0;
                     }
             return Taken;
         }},
    };
}

// Creates and fills the grid (not timed), shows it and runs every case.
template <class TAdapter>
int Run(TAdapter& A) {
    A.Create(Columns, Rows, WindowWidth, WindowHeight, FontName, FontPoints, ColWidth, RowHeight);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) A.Set(r, c, CellText(r, c));
    A.Show();
    for (const auto& Case : Cases<TAdapter>()) {
        const double Value = Case.Run(A);
        std::printf("%s %.3f\n", Case.Name, Value);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace paintbench
