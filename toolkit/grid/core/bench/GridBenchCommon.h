#pragma once
// The grid comparison, the same for every grid library: a data file of
// tab-separated text rows is read into memory (not timed), then each
// operation is timed on its own and reported as one line
//   <operation> <seconds>
// followed by "peak-mb <MB>" and "checksum <hex>" over every cell's text
// after the whole sequence. An operation that takes longer than 120 s ends
// the program with "<operation> timeout". After each sort a line
//   check-<operation> <hex>
// hashes the sorted column's texts top to bottom (after the undo: every
// cell), so that the script can tell whether the grids agree. Then the
// search for every cell containing FindText ("check-find <cells>"), and,
// after the checksum, the filter of the integer column on "contains
// FilterText" without case ("check-filter <rows left>") and its removal
// ("check-unfilter <rows>"); the filter comes last because a grid that
// hides row by row may run into the time limit. Only standard C++ and
// POSIX, so that each library's program includes nothing but its own
// library.

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace gridbench {

constexpr int Columns = 10;
constexpr int SingleOps = 1000;
constexpr int BlockRows = 100000;
constexpr int BlockDeleteAt = 200000;
constexpr int BlockInsertAt = 300000;
// The integer and the word column of the data file.
constexpr int IntColumn = 0;
constexpr int WordColumn = 3;
// The filter tests the integer column: the words of the data file hold no
// digits, so a filter of the word column on "12" would leave no row.
constexpr int FilterColumn = IntColumn;
constexpr const char* FilterText = "12";
constexpr const char* FindText = "12345";

struct TData {
    std::vector<std::vector<std::string>> Rows;
};

inline TData ReadData(const char* Path) {
    TData Data;
    std::ifstream In(Path);
    std::string Line;
    while (std::getline(In, Line)) {
        std::vector<std::string> Cells;
        size_t Start = 0;
        for (;;) {
            const size_t Tab = Line.find('\t', Start);
            Cells.push_back(Line.substr(Start, Tab == std::string::npos ? std::string::npos : Tab - Start));
            if (Tab == std::string::npos) break;
            Start = Tab + 1;
        }
        Cells.resize(Columns);
        Data.Rows.push_back(std::move(Cells));
    }
    return Data;
}

// The seeded positions, the same in every program.
struct TPositions {
    uint64_t State = 20261210;
    int Next(int Bound) {
        State = State * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((State >> 33) % uint64_t(Bound));
    }
};

inline const char* CurrentOp = "";
inline void OnAlarm(int) {
    char Text[200];
    const int N = snprintf(Text, sizeof Text, "%s timeout\n", CurrentOp);
    if (N > 0) (void)!write(1, Text, size_t(N));
    _exit(3);
}

template <class F>
void Timed(const char* Name, F&& Op) {
    CurrentOp = Name;
    signal(SIGALRM, OnAlarm);
    alarm(120);
    const auto Start = std::chrono::steady_clock::now();
    Op();
    const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    alarm(0);
    printf("%s %.3f\n", Name, Seconds);
    fflush(stdout);
}

inline void Checksum(uint64_t& Hash, const std::string& Text) {
    for (unsigned char C : Text) Hash = (Hash ^ C) * 1099511628211ULL;
    Hash = (Hash ^ 0x1F) * 1099511628211ULL;
}

inline void ReportEnd(uint64_t Hash) {
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    printf("peak-mb %.0f\n", double(Usage.ru_maxrss) / 1024.0);
    printf("checksum %016llx\n", static_cast<unsigned long long>(Hash));
}

inline uint64_t ColumnHash(int Rows, int Col, const std::function<std::string(int, int)>& Get) {
    uint64_t Hash = 14695981039346656037ULL;
    for (int r = 0; r < Rows; ++r) Checksum(Hash, Get(r, Col));
    return Hash;
}

// The whole sequence over a grid adapter G with Create(rows, cols),
// Set(row, col, text), InsertRows(at, n), DeleteRows(at, n), RowCount(),
// Get(row, col) -> std::string, and the sorts: PrepareSort() (not timed),
// SortNumbers(col) and SortTexts(col) ascending, empty cells last, rows
// equal in the column keeping their order, and UnSort() back to the order
// before the first sort; FindAll(text) -> the cells containing the text,
// any case; PrepareFilter() (not timed), Filter(col, text) -> the rows left
// on view when the column must contain the text, any case, and Unfilter()
// -> the rows on view once the filter is gone.
template <class G>
int Run(G& Grid, const char* Path) {
    const TData Data = ReadData(Path);
    const int Rows = int(Data.Rows.size());
    Timed("fill", [&] {
        Grid.Create(Rows, Columns);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Columns; ++c) Grid.Set(r, c, Data.Rows[size_t(r)][size_t(c)]);
    });
    TPositions Positions;
    Timed("insert-x1000", [&] {
        for (int i = 0; i < SingleOps; ++i) Grid.InsertRows(Positions.Next(Grid.RowCount() + 1), 1);
    });
    Timed("delete-x1000", [&] {
        for (int i = 0; i < SingleOps; ++i) Grid.DeleteRows(Positions.Next(Grid.RowCount()), 1);
    });
    Timed("delete-block", [&] { Grid.DeleteRows(BlockDeleteAt, BlockRows); });
    Timed("insert-block", [&] { Grid.InsertRows(BlockInsertAt, BlockRows); });
    const std::function<std::string(int, int)> Get = [&](int r, int c) { return Grid.Get(r, c); };
    auto AllCells = [&] {
        uint64_t Hash = 14695981039346656037ULL;
        for (int r = 0; r < Grid.RowCount(); ++r)
            for (int c = 0; c < Columns; ++c) Checksum(Hash, Grid.Get(r, c));
        return Hash;
    };
    const uint64_t Before = AllCells();
    Grid.PrepareSort();
    Timed("sort-int", [&] { Grid.SortNumbers(IntColumn); });
    printf("check-sort-int %016llx\n", static_cast<unsigned long long>(ColumnHash(Grid.RowCount(), IntColumn, Get)));
    Timed("sort-word", [&] { Grid.SortTexts(WordColumn); });
    printf("check-sort-word %016llx\n", static_cast<unsigned long long>(ColumnHash(Grid.RowCount(), WordColumn, Get)));
    Timed("unsort", [&] { Grid.UnSort(); });
    const uint64_t After = AllCells();
    printf("check-unsort %s\n", After == Before ? "restored" : "differs");
    int Found = 0;
    Timed("find", [&] { Found = Grid.FindAll(FindText); });
    printf("check-find %d\n", Found);
    uint64_t Hash = 14695981039346656037ULL;
    for (int r = 0; r < Grid.RowCount(); ++r)
        for (int c = 0; c < Columns; ++c) Checksum(Hash, Grid.Get(r, c));
    ReportEnd(Hash);
    fflush(stdout);
    Grid.PrepareFilter();
    int Left = 0, Back = 0;
    Timed("filter", [&] { Left = Grid.Filter(FilterColumn, FilterText); });
    printf("check-filter %d\n", Left);
    Timed("unfilter", [&] { Back = Grid.Unfilter(); });
    printf("check-unfilter %d\n", Back);
    return 0;
}

} // namespace gridbench
