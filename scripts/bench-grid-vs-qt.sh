#!/usr/bin/env bash
# The base grid against Qt's QTableWidget, side by side in one run: fill
# 1,000,000 x 10 cells, read every cell, insert and delete 1,000 rows in
# the middle; time and peak resident memory of each (release build, Qt
# offscreen).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VANDREL_BENCH_BUILD:-$top/build/bench}"
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/install-qt-bench.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF -DVANDREL_BENCHMARKS=ON \
      -DVANDREL_QT_BENCH=ON >/dev/null
cmake --build "$build" -j 4 --target toolkit_gridbase_basegrid_bench toolkit_gridbase_qtable_bench
echo "== base grid"
"$build/toolkit/gridbase/toolkit_gridbase_basegrid_bench"
echo "== QTableWidget"
QT_QPA_PLATFORM=offscreen "$build/toolkit/gridbase/toolkit_gridbase_qtable_bench"
