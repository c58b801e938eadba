#!/usr/bin/env bash
# Painting of our final string grid against Qt's QTableWidget and
# wxWidgets' wxGrid, the three on one Xvfb display of 1920 x 1080: each in
# a 1920 x 1080 top-level window with 20 columns x 100,000 rows of short
# texts and numbers, the same column widths, row heights and font (DejaVu
# Sans 8 points). Per library: one full repaint of the window (median of
# 50, each waited for until the X server has the frame) and 1,000 page-down
# scrolls each with its repaint. Then CSV export and import of a second grid
# of 20 columns x 50,000 rows of mixed texts (commas, quotes, line breaks):
# ours through its own CSV routines, Qt and wx through their item APIs and
# one plain RFC 4180 writer and reader. Prints one table (the cases of
# toolkit/grid/view/bench/GridPaintBenchCommon.h as rows, a library per
# column). Installs Qt and wxWidgets when missing; the release build goes
# to build/paint-bench (or VANDREL_PAINT_BENCH_BUILD); delete it afterwards.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VANDREL_PAINT_BENCH_BUILD:-$top/build/paint-bench}"
need=()
for pkg in qtbase5-dev libqt5x11extras5-dev libwxgtk3.2-dev libx11-dev xvfb xauth fonts-dejavu-core; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF -DVANDREL_BENCHMARKS=ON \
      -DVANDREL_GRID_COMPARE_BENCH=ON >/dev/null
cmake --build "$build" -j 3 --target toolkit_grid_view_paint_compare_bench toolkit_grid_qt_paint_compare_bench \
      toolkit_grid_wx_paint_compare_bench >/dev/null

# One Xvfb server on a display it picks itself.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -t 60 -u "$fd" number
export DISPLAY=":$number"

dir="$build/toolkit/grid/view"
ours=$(VANDREL_BACKEND=sdl "$dir/toolkit_grid_view_paint_compare_bench" || true)
qt=$(QT_QPA_PLATFORM=xcb "$dir/toolkit_grid_qt_paint_compare_bench" || true)
wx=$(GDK_BACKEND=x11 "$dir/toolkit_grid_wx_paint_compare_bench" 2>/dev/null || true)

value() { # program output, case
    local line
    line=$(grep -E "^$2 " <<<"$1" | head -1 || true)
    if [ -z "$line" ]; then echo "-"; else awk '{print $2}' <<<"$line"; fi
}
cases=$(printf "%s\n%s\n%s\n" "$ours" "$qt" "$wx" | awk 'NF == 2 && !seen[$1]++ {print $1}')
printf "%-20s %14s %14s %14s\n" "case" "ours" "QTableWidget" "wxGrid"
for c in $cases; do
    printf "%-20s %14s %14s %14s\n" "$c" "$(value "$ours" "$c")" "$(value "$qt" "$c")" "$(value "$wx" "$c")"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
