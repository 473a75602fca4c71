#!/bin/bash
# Takes the progress window's screenshots in docs/: each page beside the main window,
# over a generated year of training, under a virtual X server.
#   bash tools/progress-screenshots.sh [BUILD_DIR]
# Needs xvfb-run, xdotool and imagemagick's import.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$build/bin/fortavo" "$build/bin/init.ini" "$build/bin/license.txt" "$folder/"
python3 "$here/tools/make-training-file.py" "$folder/workouts.dat" --end "$(date +%F)"

cat > "$folder/shoot.sh" <<'INNER'
set -eu
cd "$1"; docs=$2
./fortavo >/dev/null 2>&1 &
program=$!
for _ in $(seq 60); do
  main=$(xdotool search --name '^Fortavo$' 2>/dev/null | head -1) && [ -n "$main" ] && break
  sleep 0.5
done
sleep 2
xdotool windowmove "$main" 0 0
xdotool windowfocus --sync "$main"
xdotool key ctrl+p
for _ in $(seq 40); do
  progress=$(xdotool search --name '^Progress$' 2>/dev/null | head -1) && [ -n "$progress" ] && break
  sleep 0.5
done
# Beside the main window, as tall as it.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowmove "$progress" $((WIDTH + 8)) 0
xdotool windowsize "$progress" 1130 "$HEIGHT"
sleep 2
import -window root "$docs/progress-exercise.png"
for page in period records; do
  xdotool windowfocus --sync "$progress"
  xdotool key ctrl+Tab
  sleep 1.5
  import -window root "$docs/progress-$page.png"
done
xdotool windowfocus --sync "$main"
xdotool key alt+F4
wait "$program" || echo "fortavo ended with status $?"
INNER
xvfb-run -a -s "-screen 0 2560x800x24" bash "$folder/shoot.sh" "$folder" "$here/docs"
echo "Screenshots in $here/docs/progress-*.png"
