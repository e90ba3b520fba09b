#!/usr/bin/env bash
# Configures and builds Quillan in Release into build/ (or $BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
# Paths inside the checkout are hashed relative to it, so a fresh clone elsewhere reuses
# what ccache already compiled.
export CCACHE_BASEDIR="$root"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --parallel "$(nproc)"
