#!/usr/bin/env bash
# Installs what is needed, builds, checks the layout of the C++ files against .clang-format,
# builds and checks the Debian package, and runs every test headless with CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/check-format.sh"
"$root/scripts/check-package.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-$root/build}" --output-on-failure --timeout 600
