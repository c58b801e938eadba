#!/usr/bin/env bash
# Vandrel on a virtual X server, as a user meets it: the build installed into
# a fresh prefix, a fresh user's folders completed by the installed setup,
# then the installed program started on the SDL2 backend. The main window is
# found by its caption and checked on a screenshot; a second start while the
# first runs ends at once with 0. The wizard opens on the first example
# scenario project and goes to its peak page, where a peak is typed, and is
# cancelled; "View Projects" opens the project list and Escape closes it;
# "Exit" ends the program with 0.
#
# The program is started with VANDREL_REPORT_WINDOWS set: it then prints
# what its active window shows (controls, grid cells, tabs with their screen
# places and texts) each time that changes, and every step waits, bounded,
# for the report it needs; nothing waits a fixed time.
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
# The example scenario database names its lateral-entry files below C:\.
export VANDREL_DRIVE_ROOT=$XDG_DATA_HOME/Vandrel/scenario/
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
pixel() { # screenshot x y -> "r,g,b"
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# ---- The program's window reports.
out=$work/vandrel.out
seen=0          # lines of $out taken so far
declare -A place text
# Waits until a report of window $1 (its name) complete after the last one
# taken holds a line matching the extended regular expression $2 (any, when
# empty), and takes the latest such report: place[<control>] = "x y" (its
# middle), place[<grid> <col> <row>] and place[<pages> tab <index>]
# likewise, text[<control>] and text[<grid> <col> <row>] their texts.
report() {
  local name=$1 want=${2:-} found
  for _ in $(seq 1 $((limit * 4))); do
    found=$(awk -v from="$seen" -v head="window shown: $name " -v want="$want" '
      NR > from && index($0, head) == 1 { lines = ""; on = 1; ok = (want == "") }
      on { lines = lines $0 "\n"; if (want != "" && $0 ~ want) ok = 1
           if ($0 == "window end") { on = 0; if (ok) { last = lines; end = NR } } }
      END { if (end) printf "%s%d\n", last, end }' "$out")
    if [[ -n $found ]]; then
      place=() text=()
      local kind name_ a b c d e rest
      while read -r kind name_ a b c d e rest; do
        case $kind in
          control:) place[$name_]="$((a + c / 2)) $((b + d / 2))"; text[$name_]="$rest" ;;
          cell:) place["$name_ $a $b"]="$c $d"; text["$name_ $a $b"]=$(echo "$e $rest" | sed 's/ *$//') ;;
          tab:) place["$name_ tab $a"]="$b $c" ;;
        esac
      done <<<"$found"
      seen=$(tail -1 <<<"$found")
      return 0
    fi
    kill -0 "$vandrel_pid" 2>/dev/null || break
    sleep 0.25
  done
  return 1
}
# The line pattern of a cell's text.
cell_shows() { echo "^cell: $1 $2 $3 [-0-9]+ [-0-9]+ $4\$"; }
click() { # <control, cell or tab> as report() keeps it
  [[ -n ${place[$1]:-} ]] || fail "nothing reported at \"$1\""
  local xy=(${place[$1]})
  xdotool mousemove "${xy[0]}" "${xy[1]}" click 1
}
type_text() { xdotool type --delay 40 "$1"; }
# Types into a cell of an always-shown-editor grid in place of its text
# (without the literals of an edit mask).
type_into() { # <grid> <col> <row> <text>
  click "$1 $2 $3"
  local old=${text["$1 $2 $3"]:-}
  key End
  for ((i = 0; i < ${#old}; ++i)); do key BackSpace; done
  key Home # an edit mask's editor shows its literals: type from the start
  [[ -z $4 ]] || type_text "$4"
  key Return
}
key() { xdotool key "$@"; }
finish_program() {
  for _ in $(seq 1 "$limit"); do kill -0 "$vandrel_pid" 2>/dev/null || break; sleep 1; done
  local status=0
  wait "$vandrel_pid" || status=$?
  vandrel_pid=
  [[ $status == 0 ]] || fail "Vandrel ended with $status: $(tail -20 "$out")"
}
start_program() {
  seen=0
  VANDREL_REPORT_WINDOWS=1 "$prefix/bin/Vandrel" >"$out" 2>&1 &
  vandrel_pid=$!
}

start_program
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

# ---- The wizard on the first example scenario project (chosen already), as
# far as its peak page, then cancelled.
report frmMain || fail "no report of the main window"
click btnUserWizard
report frmUserWizard 'Select MIRETH project' || fail "no wizard: $(tail -3 "$out")"
[[ -n ${text[cmbTravoProjects]} ]] || fail "no scenario project chosen"
click btnNext
report frmUserWizard 'View applications' || fail "no applications page"
[[ -n ${text[grdCrops 1 1]:-} ]] || fail "no grouping on the applications page"
click btnNext
report frmUserWizard 'Enter Peak' || fail "no peak page: $(tail -3 "$out")"
type_into grdPec 2 1 1.5
report frmUserWizard "$(cell_shows grdPec 2 1 1.5)" || fail "the peak was not typed"
click btnCancel
report frmMain || fail "the wizard did not close"

# ---- "View Projects" opens the project list; Escape closes it (its "Close"
# button may lie below the screen's edge).
click btnProjects
report frmDWProjects '^control: txtName ' || fail "no project list"
key Escape
report frmMain || fail "the project list did not close"

# "Exit" ends the program.
click btnExit
finish_program
echo "passed"
