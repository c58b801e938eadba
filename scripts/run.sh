#!/usr/bin/env bash
# The run command: installs what the build needs, makes a release build and
# runs the main job: Tesvorik on a copy of the example project folder, then
# prints the Summary.out it wrote (converted from Windows-1252 for the terminal).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VANDREL_RUN_BUILD:-$top/build/release}"

bash "$top/scripts/install-deps.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF -DVANDREL_BENCHMARKS=OFF
cmake --build "$build" -j "$(nproc)" --target Tesvorik

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$top"/data/PEC/Names.inp "$top"/data/examples/project/*.inp "$work"/
(cd "$work" && "$build/engine/Tesvorik")
iconv -f WINDOWS-1252 -t UTF-8 "$work/Summary.out" | tr -d '\r'
