#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UBSan, and runs
# every test (window tests offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFORTAVO_SANITIZE=ON -DFORTAVO_BENCH=ON
cmake --build build-test -j "$(nproc)"
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"

# The Debian package, from a release build, and a check of what it holds.
cd ..
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DFORTAVO_TESTS=OFF
cmake --build build-package -j "$(nproc)"
(cd build-package && rm -f fortavo_*.deb && cpack -G DEB > /dev/null)
tools/check-package.sh build-package/fortavo_*.deb
