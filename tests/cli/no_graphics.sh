#!/usr/bin/env bash
# fortavo-cli starts on QtCore alone: neither the libraries it names nor those they pull
# in may include QtGui or what QtGui loads (X11, xcb, EGL, OpenGL, fontconfig, FreeType).
set -euo pipefail
cli=$1
graphics='libQt6(Gui|Widgets|OpenGL)|libX11|libxcb|libEGL|libGL|libOpenGL|libfontconfig|libfreetype'

needed=$(readelf -d "$cli" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
grep -q '^libQt6Core\.so' <<< "$needed" || { echo "FAIL: no libQt6Core among: $needed" >&2; exit 1; }
if grep -E "$graphics" <<< "$needed"; then
  echo "FAIL: fortavo-cli names graphics libraries (above)" >&2
  exit 1
fi

loaded=$(ldd "$cli")
if grep -E "$graphics" <<< "$loaded"; then
  echo "FAIL: fortavo-cli loads graphics libraries (above)" >&2
  exit 1
fi
echo "fortavo-cli needs no graphics library"
