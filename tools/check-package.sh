#!/usr/bin/env bash
# Checks that a built Debian package holds the program, its defaults and its desktop files.
set -euo pipefail
deb=$1
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/fortavo ./usr/bin/fortavo-cli ./usr/libexec/fortavo/fortavo-graph ./usr/share/fortavo/init.ini ./usr/share/fortavo/template.html \
         ./usr/share/fortavo/license.txt ./usr/share/fortavo/help.hlp ./usr/share/fortavo/workouts.dat \
         ./usr/share/applications/org.fortavo.Fortavo.desktop \
         ./usr/share/icons/hicolor/scalable/apps/org.fortavo.Fortavo.svg \
         ./usr/share/metainfo/org.fortavo.Fortavo.metainfo.xml ./usr/share/man/man1/fortavo-cli.1; do
  grep -q " $f\$" <<< "$contents" || { echo "FAIL: $deb lacks $f" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q "libqt6widgets6" <<< "$depends" || { echo "FAIL: dependencies not worked out: '$depends'" >&2; exit 1; }

# The unpacked fortavo-cli draws the 1RM graph through its fortavo-graph under libexec.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
printf 'Date,Exercise,Category,Weight (kgs),Reps\n2024-03-04,Bench Press,Chest,100,5\n' > "$work/in.csv"
cli=("$work/root/usr/bin/fortavo-cli" --folder "$work" --training "$work/workouts.dat")
"${cli[@]}" import-csv "$work/in.csv" > /dev/null
"${cli[@]}" exercise-graph "Bench Press" "$work/graph.png" \
  || { echo "FAIL: the packaged fortavo-cli cannot draw the graph" >&2; exit 1; }
file "$work/graph.png" | grep -q "PNG image data, 465 x 185" || { echo "FAIL: the packaged graph is no 465 x 185 PNG" >&2; exit 1; }
echo "package check passed: $(basename "$deb")"
