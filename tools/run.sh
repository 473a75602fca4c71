#!/usr/bin/env bash
# Installs what is missing, builds Fortavo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DFORTAVO_TESTS=OFF
cmake --build build-release
exec build-release/bin/fortavo "$@"
