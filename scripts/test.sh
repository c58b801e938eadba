#!/usr/bin/env bash
# The test command: installs what the build needs, builds everything with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VANDREL_TEST_BUILD:-$top/build/test}"
jobs=$(nproc)

bash "$top/scripts/install-deps.sh"
# The compiler cache keys on paths relative to the checkout, so several
# checkouts of the same sources share what each has compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$top}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVANDREL_SANITIZE=ON \
      -DVANDREL_TESTS=ON -DVANDREL_BENCHMARKS=ON -DVANDREL_TEST_WHOLE_PROGRAMS=ON -DVANDREL_UNITY_BUILD=ON
cmake --build "$build" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure -j "$jobs"
