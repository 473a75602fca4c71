#!/usr/bin/env bash
# Installs the built program into a temporary prefix and runs it as a new user would:
# the user's data folder is seeded from the installed defaults, fortavo-cli works on the
# seeded training file, and the desktop entry and metainfo validate.
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/usr" > /dev/null
export HOME="$work/home"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
cli="$work/usr/bin/fortavo-cli"

fail() { echo "FAIL: $*" >&2; exit 1; }

for f in bin/fortavo bin/fortavo-cli libexec/fortavo/fortavo-graph share/fortavo/init.ini share/fortavo/template.html \
         share/fortavo/license.txt share/fortavo/help.hlp \
         share/applications/org.fortavo.Fortavo.desktop \
         share/icons/hicolor/scalable/apps/org.fortavo.Fortavo.svg \
         share/metainfo/org.fortavo.Fortavo.metainfo.xml share/man/man1/fortavo-cli.1; do
  [ -e "$work/usr/$f" ] || fail "not installed: $f"
done

version=$("$cli" --version)
[ "$version" = "Fortavo 0.9 beta" ] || fail "fortavo-cli --version printed '$version'"

"$cli" list > "$work/list.txt" || fail "fortavo-cli list failed on the seeded data folder"
data="$HOME/.local/share/fortavo"
[ -f "$data/init.ini" ] || fail "the data folder was not seeded with init.ini"
[ -f "$data/workouts.dat" ] || fail "the data folder has no training file"
[ -w "$data/init.ini" ] || fail "the seeded init.ini cannot be written"

# The example scripts are installed, seeded with the other defaults, and run on a new
# user's (empty) training file.
for example in best-1rm bodypart-count plates week-volume; do
  [ -f "$work/usr/share/fortavo/Example scripts/$example.fvs" ] || fail "not installed: Example scripts/$example.fvs"
  [ -f "$data/Example scripts/$example.fvs" ] || fail "not seeded: Example scripts/$example.fvs"
done
out=$("$cli" run "$data/Example scripts/bodypart-count.fvs" < /dev/null) || fail "the seeded example script failed"
[ "$out" = "your training file has no workouts yet." ] || fail "the seeded example script printed '$out'"

# A second start keeps what the user changed.
echo "; mine" >> "$data/init.ini"
"$cli" list > /dev/null
grep -q "; mine" "$data/init.ini" || fail "seeding overwrote the user's init.ini"
[ -z "$(find "$work/usr" -newer "$work/list.txt" -type f)" ] || fail "something was written under the prefix"

# The installed fortavo-cli finds its graph program under libexec.
printf 'Date,Exercise,Category,Weight (kgs),Reps\n2024-03-04,Bench Press,Chest,100,5\n2024-03-08,Bench Press,Chest,105,5\n' \
  > "$work/in.csv"
"$cli" import-csv "$work/in.csv" > /dev/null || fail "fortavo-cli import-csv failed"
"$cli" exercise-graph "Bench Press" "$work/graph.png" || fail "fortavo-cli exercise-graph failed when installed"
file "$work/graph.png" | grep -q "PNG image data, 465 x 185" || fail "the graph is not a 465 x 185 PNG"

desktop-file-validate "$work/usr/share/applications/org.fortavo.Fortavo.desktop"
appstreamcli validate --no-net --pedantic "$work/usr/share/metainfo/org.fortavo.Fortavo.metainfo.xml" > "$work/as.txt" 2>&1 \
  || { cat "$work/as.txt"; fail "the metainfo file does not validate"; }
echo "install test passed"
