#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed setup for a
# user with a fresh home folder, twice: the first run must leave every file
# and registry value in place and a working engine folder; the second, after
# the user added a project, must change nothing.
#   InstallAndSetupTest.sh <cmake program> <build folder> <sqlite3 program>
set -euo pipefail
cmake=$1
build=$2
sqlite3=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
templates=$prefix/share/vandrel

export HOME=$work/home
unset XDG_CONFIG_HOME XDG_DATA_HOME VANDREL_REGISTRY_DIR
mkdir -p "$HOME"
data=$HOME/.local/share/Vandrel

"$prefix/bin/vandrel-setup" >"$work/first.txt" || fail "the first setup run: $(cat "$work/first.txt")"
grep -qx "Complete: $data/" "$work/first.txt" || fail "first run output: $(cat "$work/first.txt")"

# Every file, each a copy of what was installed.
for file in data/VANDREL.db data/PEC/Names.inp data/CropArea/default.CropArea scenario/travo.fdb; do
  cmp -s "$templates/$file" "$data/$file" || fail "$data/$file is not the installed $file"
done
cmp -s "$prefix/bin/Tesvorik" "$data/data/PEC/Tesvorik" || fail "the engine folder lacks Tesvorik"
[[ -x $data/data/PEC/Tesvorik ]] || fail "the engine is not executable"
diff -r "$templates/scenario/TRAVO" "$data/scenario/TRAVO" >/dev/null || fail "lateral-entry files differ"
[[ -n $(find "$data/scenario/TRAVO" -name '*.m2t') ]] || fail "no lateral-entry files"
for folder in data/resources projects; do
  [[ -d $data/$folder ]] || fail "$data/$folder is missing"
done
cmp -s "$templates/substances/vorn.sqlite" "$prefix/lib/vandrel/vorn.sqlite" || fail "no substance store"
[[ -f $prefix/lib/vandrel/libvorn.so ]] || fail "no substance library"

# The registry values, in the hive files where the programs look for them.
user_hive=$HOME/.config/Vandrel/HKEY_CURRENT_USER.reg
machine_hive=$prefix/etc/HKEY_LOCAL_MACHINE.reg
expect_value() { # hive key name value
  awk -v key="[$2]" -v line="\"$3\"=\"$4\"" '
    /^\[/ { inside = ($0 == key) } inside && $0 == line { found = 1 } END { exit !found }' "$1" ||
    fail "$1 lacks $2 \"$3\"=\"$4\""
}
expect_value "$user_hive" 'SOFTWARE\\Brennhoven\\VANDREL142' Datapath "$data/"
expect_value "$user_hive" 'SOFTWARE\\Brennhoven\\VANDREL142' travo_db "$data/scenario/travo.fdb"
expect_value "$machine_hive" 'SOFTWARE\\Brennhoven\\VORN' vorn_dll "$prefix/lib/vandrel/libvorn.so"

# The engine runs in its folder on the example project.
cp "$templates"/examples/project/*.inp "$data/data/PEC/"
(cd "$data/data/PEC" && ./Tesvorik >/dev/null)
grep -q ANDIJK "$data/data/PEC/Summary.out" || fail "the engine wrote no results"

# A project the user added survives the second run, which changes nothing.
"$sqlite3" "$data/data/VANDREL.db" "INSERT INTO Projects (Name) VALUES ('Kept')"
snapshot() { (cd "$work" && find home prefix -type f ! -name '*.lock' -print0 | sort -z | xargs -0 md5sum); }
snapshot >"$work/before.txt"
"$prefix/bin/vandrel-setup" >"$work/second.txt" || fail "the second setup run"
[[ $(cat "$work/second.txt") == "Nothing to do: $data/" ]] || fail "second run output: $(cat "$work/second.txt")"
snapshot >"$work/after.txt"
diff "$work/before.txt" "$work/after.txt" || fail "the second run changed files"
[[ $("$sqlite3" "$data/data/VANDREL.db" "SELECT COUNT(*) FROM Projects WHERE Name = 'Kept'") == 1 ]] ||
  fail "the added project is gone"
