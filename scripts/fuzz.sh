#!/usr/bin/env bash
# Fuzzes every parser: builds the libFuzzer targets with clang-16 and the
# sanitizers (build/fuzz), then runs each target for the given number of
# seconds (default 60), at most as many at once as the machine has cores
# (VANDREL_FUZZ_JOBS to use fewer). Each target starts from its seed corpus
# (fuzz/corpus/<target>/ of its library) and grows a working corpus in
# build/fuzz/corpus/<target>/ (kept from run to run); faults go to
# build/fuzz/findings/<target>/ (emptied at each run).
# Prints one line per target: executions, corpus size, findings (crashes,
# leaks, timeouts, memory exhaustion) and slow units (over 10 s, noted
# only). Exits non-zero when any target found a fault.
#
#   scripts/fuzz.sh [seconds per target]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-60}"
build="${VANDREL_FUZZ_BUILD:-$top/build/fuzz}"
jobs="${VANDREL_FUZZ_JOBS:-$(nproc)}"
(( jobs > $(nproc) )) && jobs=$(nproc)

# clang-16 and its fuzzing runtime: Debian 12's default clang 14 lacks
# std::source_location. Installed here only, never by the test command.
need=()
for pkg in clang-16 libclang-rt-16-dev; do
  [[ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)" == "install ok installed" ]] || need+=("$pkg")
done
if [[ ${#need[@]} -gt 0 ]]; then
  as_root=()
  [[ $(id -u) -eq 0 ]] || as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi
bash "$top/scripts/install-deps.sh"

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$top}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang-16 -DCMAKE_CXX_COMPILER=clang++-16 \
      -DVANDREL_FUZZ=ON -DVANDREL_SANITIZE=ON -DVANDREL_TESTS=OFF -DVANDREL_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fuzz_targets -j "$jobs"

export ASAN_OPTIONS=detect_leaks=1
# Stack traces of findings with function names and lines.
for symbolizer in /usr/lib/llvm-16/bin/llvm-symbolizer /usr/bin/llvm-symbolizer; do
  if [[ -x "$symbolizer" ]]; then
    export ASAN_SYMBOLIZER_PATH="$symbolizer"
    break
  fi
done
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Runs one target; its log is build/fuzz/logs/<target>.log.
run_target() {
  local name=$1 seeds=$2
  local work="$build/corpus/$name" findings="$build/findings/$name" log="$build/logs/$name.log"
  mkdir -p "$work" "$findings" "$build/logs"
  # A target stops at its first finding, which it leaves as a file.
  "$build/fuzz/fuzz_$name" "$work" "$seeds" -max_total_time="$seconds" -print_final_stats=1 \
      -rss_limit_mb=2560 -timeout=30 -artifact_prefix="$findings/" >"$log" 2>&1 || true
}

mapfile -t targets < "$build/fuzz/targets.txt"
rm -rf "$build/findings" # each run reports its own findings; the corpora grow on
running=0
for line in "${targets[@]}"; do
  read -r name seeds <<<"$line"
  run_target "$name" "$seeds" &
  running=$((running + 1))
  if (( running >= jobs )); then
    wait -n
    running=$((running - 1))
  fi
done
wait

status=0
printf '%-18s %12s %8s %9s %11s\n' target executions corpus findings slow-units
for line in "${targets[@]}"; do
  read -r name _ <<<"$line"
  log="$build/logs/$name.log"
  executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  corpus=$(find "$build/corpus/$name" -type f | wc -l)
  # Crashes, leaks, timeouts and memory exhaustion; slow units are only noted.
  findings=$(find "$build/findings/$name" -type f -regex '.*/\(crash\|leak\|timeout\|oom\)-.*' | wc -l)
  slow=$(find "$build/findings/$name" -type f -name 'slow-unit-*' | wc -l)
  (( findings > 0 )) && status=1
  printf '%-18s %12s %8s %9s %11s\n' "$name" "${executions:-?}" "$corpus" "$findings" "$slow"
done
exit $status
