#!/usr/bin/env bash
# Draws every SVG of the Adwaita icon theme with the SVG engine and with the
# reference renderer (rsvg-convert) at SIZE x SIZE (default 48), compares the
# two, and prints the share of icons within the tolerance of
# toolkit/graphics/tests/SVGReferenceCompare.h and the worst ten.
#
#   bash scripts/install-svg-reference.sh      # once: rsvg-convert, the icons
#   bash scripts/compare-svg-reference.sh [SIZE] [BUILD_DIR]
#
# With REFRESH_FIXTURES=1 it also rewrites the committed sample of the test
# command (the first 50 icons in sorted order and their reference PNGs).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
size="${1:-48}"
build="${2:-$top/build/test}"
icons=/usr/share/icons/Adwaita/scalable
tool="$build/toolkit/graphics/svg_reference_compare"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert missing: run scripts/install-svg-reference.sh" >&2; exit 1; }
[[ -d "$icons" ]] || { echo "$icons missing: run scripts/install-svg-reference.sh" >&2; exit 1; }
cmake --build "$build" --target svg_reference_compare -j3 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/ref" "$work/ours"
mapfile -t files < <(find "$icons" -name '*.svg' | LC_ALL=C sort)
args=()
for i in "${!files[@]}"; do
  rsvg-convert -w "$size" -h "$size" "${files[$i]}" -o "$work/ref/$i.png"
  args+=("${files[$i]}" "$work/ref/$i.png")
done
"$tool" "$size" "$work/ours" "${args[@]}" > "$work/results.txt"

total=$(wc -l < "$work/results.txt")
within=$(awk '$1 == 1' "$work/results.txt" | wc -l)
echo "Icons drawn at ${size}x${size}: $total; within tolerance: $within ($(awk -v w="$within" -v t="$total" 'BEGIN { printf "%.1f", 100 * w / t }')%)"
echo "Worst ten (share of differing pixels, mean difference, file):"
sort -k2,2gr -k3,3gr "$work/results.txt" | head -10 | awk '{ printf "  %.4f  %.4f  %s\n", $2, $3, $4 }'

if [[ "${REFRESH_FIXTURES:-0}" == 1 ]]; then
  fixtures="$top/toolkit/graphics/tests/fixtures/adwaita"
  rm -rf "$fixtures"
  mkdir -p "$fixtures"
  # Every thirteenth icon: a fixed sample of 50 spread over the whole theme.
  for ((k = 0; k < 50; k++)); do
    i=$((k * ${#files[@]} / 50))
    name=$(basename "$(dirname "${files[$i]}")")-$(basename "${files[$i]}" .svg)
    cp "${files[$i]}" "$fixtures/$name.svg"
    rsvg-convert -w 48 -h 48 "${files[$i]}" -o "$fixtures/$name.png"
  done
  echo "Sample written to $fixtures"
fi
