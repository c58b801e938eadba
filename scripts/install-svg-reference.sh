#!/usr/bin/env bash
# Installs the cross-check tools of the SVG engine: the reference renderer
# (rsvg-convert), its C library for the side-by-side benchmark, and the
# Adwaita icon theme whose icons both draw. Not part of the test command:
# the sample it needs is committed under toolkit/graphics/tests/fixtures/adwaita.
# Idempotent; runs apt-get as root, or through sudo.
set -euo pipefail
packages=(librsvg2-bin librsvg2-dev adwaita-icon-theme)
missing=()
for pkg in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
