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
grep -q " ./usr/share/fortavo/Example scripts/week-volume.fvs\$" <<< "$contents" \
  || { echo "FAIL: $deb lacks the example scripts" >&2; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
grep -q "libqt6widgets6" <<< "$depends" || { echo "FAIL: dependencies not worked out: '$depends'" >&2; exit 1; }
echo "package check passed: $(basename "$deb")"
