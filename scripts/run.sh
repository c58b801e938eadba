#!/usr/bin/env bash
# The run command: installs what the build needs, makes a release build,
# installs it, completes the user's data path with the installed setup and
# runs the main job. With a display (DISPLAY or WAYLAND_DISPLAY set) that is
# the installed desktop program Vandrel, which ends when its main window is
# closed. Without one, or with --engine, it is the installed engine on a copy
# of the example project in the engine folder of the data path, and the
# Summary.out it wrote is printed (converted from Windows-1252 for the
# terminal).
#
#   bash scripts/run.sh [--engine]
#
# Everything stays inside the repository's build tree, so the command needs
# no root and leaves the user's home alone:
#   build/release          the build (VANDREL_RUN_BUILD)
#   build/install          the installation (VANDREL_RUN_PREFIX)
#   build/userdata/config  XDG_CONFIG_HOME: the user's registry file
#   build/userdata/share   XDG_DATA_HOME: the data path Vandrel/ (both below VANDREL_RUN_USERDATA)
set -euo pipefail
engine_only=0
for argument in "$@"; do
  case "$argument" in
    --engine) engine_only=1 ;;
    *) echo "Usage: bash scripts/run.sh [--engine]" >&2; exit 2 ;;
  esac
done
top=$(cd "$(dirname "$0")/.." && pwd)
build="${VANDREL_RUN_BUILD:-$top/build/release}"
prefix="${VANDREL_RUN_PREFIX:-$top/build/install}"
userdata="${VANDREL_RUN_USERDATA:-$top/build/userdata}"

bash "$top/scripts/install-deps.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF -DVANDREL_BENCHMARKS=OFF \
      -DCMAKE_INSTALL_PREFIX="$prefix"
cmake --build "$build" -j "$(nproc)"
cmake --install "$build" >/dev/null

export XDG_CONFIG_HOME="$userdata/config" XDG_DATA_HOME="$userdata/share"
unset VANDREL_REGISTRY_DIR
data="$XDG_DATA_HOME/Vandrel"
"$prefix/bin/vandrel-setup" --data-path "$data"

if [ "$engine_only" = 0 ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  # The example scenario database names its lateral-entry files C:\TRAVO\...;
  # they lie below the data path's scenario/.
  export VANDREL_DRIVE_ROOT="${VANDREL_DRIVE_ROOT:-$data/scenario/}"
  exec "$prefix/bin/Vandrel"
fi

engine_folder="$data/data/PEC"
cp "$prefix"/share/vandrel/examples/project/*.inp "$engine_folder"/
rm -f "$engine_folder/Summary.out"
(cd "$engine_folder" && ./Tesvorik)
iconv -f WINDOWS-1252 -t UTF-8 "$engine_folder/Summary.out" | tr -d '\r'
