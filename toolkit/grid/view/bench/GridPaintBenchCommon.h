#pragma once
// The paint comparison, the same for every grid library: a top-level window
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
// New cases join the list in Cases(); a case of its own adapter routine
// needs that routine in every program. Only standard C++, so that each
// library's program includes nothing but its own library.

#include <algorithm>
#include <chrono>
#include <cstdio>
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
