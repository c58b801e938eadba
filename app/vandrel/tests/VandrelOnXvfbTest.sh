#!/usr/bin/env bash
# Vandrel on a virtual X server, as a user meets it: the build installed into
# a fresh prefix, a fresh user's folders completed by the installed setup,
# then the installed program started on the SDL2 backend. The main window is
# found by its caption and checked on a screenshot; "View Projects" opens the
# project list (found by its caption, closed with Escape); a second start
# while the first runs ends at once with 0; "Exit" ends the first with 0.
#   VandrelOnXvfbTest.sh <cmake program> <build folder>
set -euo pipefail
cmake=$1
build=$2
work=$(mktemp -d)
xvfb_pid=
vandrel_pid=
cleanup() {
  [[ -n $vandrel_pid ]] && kill "$vandrel_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
# Every wait is generous: a loaded machine running the sanitizer build.
limit=120

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share XDG_RUNTIME_DIR=$work/run
unset VANDREL_REGISTRY_DIR VANDREL_BACKEND WAYLAND_DISPLAY
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$prefix/bin/vandrel-setup" >/dev/null || fail "the setup"
# The sanitizer build's leak check would also count what the X and D-Bus
# client libraries keep until the process ends.
export ASAN_OPTIONS=detect_leaks=0

# A server on a display it picks itself.
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r -t "$limit" display <&3 || fail "Xvfb did not start"
export DISPLAY=:$display

# Waits for a top-level window with exactly this name; prints its id.
find_window() {
  local id
  for _ in $(seq 1 "$limit"); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | tail -1) || true
    if [[ -n $id ]]; then echo "$id"; return 0; fi
    sleep 1
  done
  return 1
}
# Waits until no window has this name.
window_gone() {
  for _ in $(seq 1 "$limit"); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 1
  done
  return 1
}
pixel() { # screenshot x y -> "r,g,b"
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

"$prefix/bin/Vandrel" >"$work/vandrel.out" 2>&1 &
vandrel_pid=$!
main_caption='VANDREL_1.4.2 - Drinking water from surface waters'
main=$(find_window "$main_caption") || fail "no main window"
# The window is placed and painted once the databases are open: wait for
# its button face, then check the Wizard button's orange star.
face=
for _ in $(seq 1 "$limit"); do
  main=$(find_window "$main_caption")
  # The window found may be replaced while the program starts up: look again.
  geometry=$(xdotool getwindowgeometry --shell "$main" 2>/dev/null) || { sleep 1; continue; }
  eval "$geometry"
  import -window root "$work/main.png"
  face=$(pixel "$work/main.png" $((X + WIDTH - 20)) $((Y + HEIGHT - 20)))
  [[ $face == "240,240,240" ]] && break
  sleep 1
done
[[ $face == "240,240,240" ]] || fail "main window face is $face"
star=$(pixel "$work/main.png" $((X + 41)) $((Y + 81)))
[[ $star == "230,160,0" ]] || fail "the wizard glyph is $star at $((X + 41)),$((Y + 81))"

# A second start raises the first and ends with 0.
timeout "$limit" "$prefix/bin/Vandrel" || fail "the second start ended with $?"

# "View Projects": the second button of the Actions tab.
xdotool mousemove --window "$main" 103 137 click 1
projects=$(find_window 'Overview of VANDREL projects') || fail "no project list"
xdotool key --window "$projects" Escape
window_gone 'Overview of VANDREL projects' || fail "the project list stayed open"

# "Exit" ends the program.
xdotool mousemove --window "$main" 103 193 click 1
for _ in $(seq 1 "$limit"); do kill -0 "$vandrel_pid" 2>/dev/null || break; sleep 1; done
status=0
wait "$vandrel_pid" || status=$?
vandrel_pid=
[[ $status == 0 ]] || fail "Vandrel ended with $status: $(cat "$work/vandrel.out")"
echo "passed"
