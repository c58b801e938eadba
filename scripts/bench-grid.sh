#!/usr/bin/env bash
# Our core string grid against Qt's QTableWidget and wxWidgets' wxGrid over
# wxGridStringTable, on one seeded data file of 1,000,000 rows x 10 text
# columns (integers, decimals, dates, words): fill every cell, 1,000 single
# row inserts, 1,000 single row deletes, one block delete and one block
# insert of 100,000 rows, then a sort of the integer column, a sort of a
# word column (ascending, empty cells last) and the undo of the sorts, the
# search for every cell containing "12345", and the filter of the integer
# column on "contains 12" without case with its removal.
# Prints one table of seconds per operation and peak memory, and fails when
# the grids disagree: on the sorted column after each sort, on every cell
# after the undo, or on the checksum over all texts at the end. An
# operation past 120 s shows as "> 120 s".
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VANDREL_GRID_BENCH_BUILD:-$top/build/grid-bench}"
need=()
for pkg in qtbase5-dev libwxgtk3.2-dev xvfb xauth; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF -DVANDREL_BENCHMARKS=ON \
      -DVANDREL_GRID_COMPARE_BENCH=ON >/dev/null
cmake --build "$build" -j 3 --target toolkit_grid_core_compare_bench toolkit_grid_qt_compare_bench \
      toolkit_grid_wx_compare_bench >/dev/null

data="$build/grid-bench-1000000x10.tsv"
if [ ! -s "$data" ]; then
    python3 - "$data" <<'PY'
import random, sys
rnd = random.Random(20261210)
words = ["alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel", "india", "juliet",
         "Rhine", "Meuse", "Elbe", "Danube", "atrazine", "glyphosate", "sorption", "runoff"]
with open(sys.argv[1], "w") as out:
    for r in range(1000000):
        cells = []
        for c in range(10):
            kind = c % 4
            if kind == 0:
                cells.append(str(rnd.randint(-100000, 1000000)))
            elif kind == 1:
                cells.append("%.3f" % rnd.uniform(-1000, 100000))
            elif kind == 2:
                cells.append("%04d-%02d-%02d" % (rnd.randint(1990, 2030), rnd.randint(1, 12), rnd.randint(1, 28)))
            else:
                cells.append(" ".join(rnd.choice(words) for _ in range(rnd.randint(1, 3))))
        out.write("\t".join(cells) + "\n")
PY
fi

dir="$build/toolkit/grid/core"
ours=$("$dir/toolkit_grid_core_compare_bench" "$data" || true)
qt=$(QT_QPA_PLATFORM=offscreen "$dir/toolkit_grid_qt_compare_bench" "$data" || true)
wx=$(xvfb-run -a "$dir/toolkit_grid_wx_compare_bench" "$data" || true)

value() { # program output, key
    local line
    line=$(grep -E "^$2 " <<<"$1" | head -1 || true)
    case "$line" in
        "") echo "-" ;;
        *timeout) echo "> 120 s" ;;
        *) awk '{print $2}' <<<"$line" ;;
    esac
}
printf "%-14s %14s %14s %14s\n" "operation" "ours" "QTableWidget" "wxGrid"
for op in fill insert-x1000 delete-x1000 delete-block insert-block sort-int sort-word unsort find filter unfilter \
    peak-mb; do
    printf "%-14s %14s %14s %14s\n" "$op" "$(value "$ours" "$op")" "$(value "$qt" "$op")" "$(value "$wx" "$op")"
done
for check in check-sort-int check-sort-word check-unsort check-find; do
    got=$(printf "%s\n%s\n%s\n" "$(value "$ours" "$check")" "$(value "$qt" "$check")" "$(value "$wx" "$check")")
    echo "$check: $(tr '\n' ' ' <<<"$got")"
    if [ "$(sort -u <<<"$got" | wc -l)" -ne 1 ] || grep -q -- '^-$' <<<"$got" || grep -q differs <<<"$got"; then
        echo "the grids disagree after ${check#check-}" >&2
        exit 1
    fi
done
for check in check-filter check-unfilter; do
    got=$(printf "%s\n%s\n%s\n" "$(value "$ours" "$check")" "$(value "$qt" "$check")" "$(value "$wx" "$check")")
    echo "$check: $(tr '\n' ' ' <<<"$got")"
    # Only wxWidgets may run out of time here; ours and Qt must answer.
    wxtimeout=$(grep -cE '^(filter|unfilter) timeout' <<<"$wx" || true)
    known=$(grep -v -- '^-$' <<<"$got" || true)
    if [ "$(sort -u <<<"$known" | wc -l)" -ne 1 ] || [ $(($(wc -l <<<"$known") + wxtimeout)) -lt 3 ] ||
        [ "$(value "$ours" "$check")" = "-" ] || [ "$(value "$qt" "$check")" = "-" ]; then
        echo "the grids disagree after ${check#check-}" >&2
        exit 1
    fi
done
sums=$(printf "%s\n%s\n%s\n" "$(value "$ours" checksum)" "$(value "$qt" checksum)" "$(value "$wx" checksum)")
echo "checksums: $(tr '\n' ' ' <<<"$sums")"
if [ "$(sort -u <<<"$sums" | wc -l)" -ne 1 ] || grep -q -- '^-$' <<<"$sums"; then
    echo "the grids disagree on the texts after the sequence" >&2
    exit 1
fi
