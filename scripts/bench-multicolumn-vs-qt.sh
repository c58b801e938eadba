#!/usr/bin/env bash
# The multi-column drop-down against Qt side by side in one run, 10,000
# items of three columns: the lookup list (EndUpdate) against building a
# QCompleter; completing a prefix that matches only the last item and one
# that matches none against QCompleter::setCompletionPrefix; opening the
# pop-up with three auto-size columns against a QTableWidget with
# resizeColumnsToContents rendered into a QImage (release build, Qt
# offscreen).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VANDREL_BENCH_BUILD:-$top/build/release}"
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/install-qt-bench.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF -DVANDREL_BENCHMARKS=ON \
      -DVANDREL_QT_BENCH=ON >/dev/null
cmake --build "$build" -j 4 --target toolkit_dropdown_multicolumn_bench toolkit_dropdown_qt_multicolumn_bench
echo "== multi-column drop-down"
"$build/toolkit/dropdown/toolkit_dropdown_multicolumn_bench"
echo "== Qt 5 (QCompleter, QTableWidget)"
QT_QPA_PLATFORM=offscreen "$build/toolkit/dropdown/toolkit_dropdown_qt_multicolumn_bench"
